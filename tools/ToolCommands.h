#pragma once

#include "Framework.h"

#include <optional>
#include <vector>

// What the converter tools make of their fields: the path test, the cuts that
// name companion and output files, the command tails and the companion files
// that a picked file suggests. A path that is not given is std::nullopt.

// A field holds a path unless its text is empty or exactly one blank.
bool HoldsPath(const CString& text);
// The field's text when it holds a path.
std::optional<CString> GivenPath(const CString& text);

// text less its last count characters; empty when it is shorter.
CString CutLast(const CString& text, int count);
// text without the count characters that start fromEnd characters from its end
// (from its start when it is shorter); fewer when it ends first.
CString CutFromEnd(const CString& text, int fromEnd, int count);

// The mix of a system sound S and a microphone M into "<S less 5>_Mux.flac".
CString MixCommandTail(const CString& systemAudio, const CString& mic);
// Packs a video and/or a sound file into MKV, streams copied; rate: the "-r"
// option's text, when the rate list's selection is not its first item.
CString PackCommandTail(const std::optional<CString>& video, const std::optional<CString>& audio,
                        const std::optional<CString>& rate);
// Transcodes to MP4 (H.264 4:2:0, AAC 48 kHz); the sound-only form takes no rate.
CString TranscodeCommandTail(const std::optional<CString>& video, const std::optional<CString>& audio,
                             const std::optional<CString>& rate);

// Companion files a picked path suggests for the other field, in the order tried.
// The mix tool: a system sound suggests its microphone file and back.
std::vector<CString> MixCompanions(const CString& picked, bool pickedSystemAudio);
// The MKV and MP4 tools: a video suggests its mix, then its system sound; a
// sound file suggests its video.
std::vector<CString> VideoToolCompanions(const CString& picked, bool pickedVideo);

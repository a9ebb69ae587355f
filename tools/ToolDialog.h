#pragma once

#include "Framework.h"
#include "XPButton.h"

#include <functional>
#include <optional>
#include <vector>

// What the three converter tool windows share.

// The opening: the flat buttons on the two browse buttons and Start; with a
// rate list, its first item ("0") selected.
void OpenToolWindow(CDialogEx& dialog, CXPButton& browseFirst, CXPButton& browseSecond, CXPButton& start,
                    bool hasRateList);

// A browse button: the file picker fills ownField on OK; then, whatever it
// returned, the first companion of its path (empty after Cancel) that exists
// goes into otherField.
void BrowseAndPair(CWnd& dialog, int ownField, int otherField,
                   const std::function<std::vector<CString>(const CString&)>& companions);

// The rate option of the rate list: none while its first item is selected,
// otherwise the list's text as typed or picked.
std::optional<CString> ChosenRate(const CWnd& dialog);

// Start of the MKV and MP4 tools: the two paths and the rate read now; when
// neither path is given, the refusal; otherwise the converter with the tail that
// tail builds, or the message that it cannot be started.
using VideoToolTail = CString (*)(const std::optional<CString>& video, const std::optional<CString>& audio,
                                  const std::optional<CString>& rate);
void StartVideoTool(CWnd& dialog, VideoToolTail tail, LPCWSTR refusal);

// A browse button of the MKV and MP4 tools: the video's (pickedVideo) or the sound's.
void BrowseVideoToolField(CWnd& dialog, bool pickedVideo);

// The text of a field.
CString FieldText(const CWnd& dialog, int id);

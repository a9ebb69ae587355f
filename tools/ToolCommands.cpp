#include "ToolCommands.h"

#include <algorithm>

namespace {

CString Quoted(const CString& text)
{
    return CString(L'"') + text + L'"';
}

CString Input(const CString& path)
{
    return L" -i " + Quoted(path);
}

// " -r <rate>" when a rate is given.
CString RateOption(const std::optional<CString>& rate)
{
    return rate ? L" -r " + *rate : CString();
}

} // namespace

bool HoldsPath(const CString& text)
{
    return !text.IsEmpty() && text != L" ";
}

std::optional<CString> GivenPath(const CString& text)
{
    return HoldsPath(text) ? std::optional<CString>(text) : std::nullopt;
}

CString CutLast(const CString& text, int count)
{
    return text.Left(std::max(0, text.GetLength() - count));
}

CString CutFromEnd(const CString& text, int fromEnd, int count)
{
    CString cut = text;
    cut.Delete(std::max(0, text.GetLength() - fromEnd), count);
    return cut;
}

CString MixCommandTail(const CString& systemAudio, const CString& mic)
{
    return Input(systemAudio) + Input(mic) + L" -filter_complex amix=inputs=2:duration=first " +
           Quoted(CutLast(systemAudio, 5) + L"_Mux.flac");
}

CString PackCommandTail(const std::optional<CString>& video, const std::optional<CString>& audio,
                        const std::optional<CString>& rate)
{
    if (video && audio)
        return Input(*video) + Input(*audio) + L" -vcodec copy -acodec copy" + RateOption(rate) + L" " +
               Quoted(CutLast(*video, 4) + L".mkv");
    if (video)
        return Input(*video) + L" -vcodec copy" + RateOption(rate) + L" " + Quoted(CutLast(*video, 4) + L".mkv");
    return Input(audio.value_or(CString())) + L" -acodec copy" + RateOption(rate) + L" " +
           Quoted(CutLast(audio.value_or(CString()), 5) + L".mkv");
}

CString TranscodeCommandTail(const std::optional<CString>& video, const std::optional<CString>& audio,
                             const std::optional<CString>& rate)
{
    if (video && audio)
        return Input(*video) + Input(*audio) +
               L" -c:v h264 -c:a aac -b:v 16000k -b:a 320k  -ar 48000 -pix_fmt yuv420p -f mp4" + RateOption(rate) +
               L" " + Quoted(CutLast(*video, 4) + L".mp4");
    if (video)
        return Input(*video) + L" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4" + RateOption(rate) + L" " +
               Quoted(CutLast(*video, 4) + L".mp4");
    return Input(audio.value_or(CString())) + L" -c:a aac -b:a 320k -ar 48000 -f mp4 " +
           Quoted(CutLast(audio.value_or(CString()), 5) + L".mp4");
}

std::vector<CString> MixCompanions(const CString& picked, bool pickedSystemAudio)
{
    if (pickedSystemAudio)
        return {CutLast(picked, 5) + L".MIC.flac"};
    return {CutFromEnd(picked, 9, 4)};
}

std::vector<CString> VideoToolCompanions(const CString& picked, bool pickedVideo)
{
    if (!pickedVideo)
        return {CutLast(picked, 5) + L".264"};
    const CString mix = CutLast(picked, 4) + L"_Mux.flac";
    return {mix, CutFromEnd(mix, 9, 4)};
}

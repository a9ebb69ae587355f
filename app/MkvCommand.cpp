#include "MkvCommand.h"

namespace {

CString Quoted(const std::wstring& path)
{
    return CString(L'"') + path.c_str() + L'"';
}

} // namespace

CString MkvCommandTail(const RecordParams& params)
{
    const std::wstring& video = params.videoPath;
    CString rate;
    rate.Format(L"%d", params.fps);
    // The output: the video path less its ".264", with ".mkv".
    const CString output = Quoted(video.substr(0, video.size() >= 4 ? video.size() - 4 : 0) + L".mkv");
    const CString videoTail = L" -i " + Quoted(video) + L" -vcodec copy -r " + rate + L" " + output;

    const bool system = !params.systemAudioPath.empty();
    const bool mic = !params.micPath.empty();
    if (system && mic)
        return L" -i " + Quoted(params.systemAudioPath) + L" -i " + Quoted(params.micPath) +
               L" -filter_complex amix=inputs=2:duration=first" + videoTail;
    if (!system && !mic)
        return videoTail;
    const std::wstring& sound = system ? params.systemAudioPath : params.micPath;
    return L" -i " + Quoted(video) + L" -i " + Quoted(sound) + L" -vcodec copy  -acodec copy -r " + rate + L" " +
           output;
}

#include "StandInRecord.h"

#include <cstdlib>

const wchar_t kStandInHandOnMarker[] = L"ffmpeg.handon";
const wchar_t kStandInHoldMarker[] = L"ffmpeg.hold";
const wchar_t kStandInRecordPattern[] = L"ffmpeg-call-*.rec";

namespace {

// The record's terminating line: a record without it was cut short.
const wchar_t kEnd[] = L"end";

std::wstring Escape(const std::wstring& value)
{
    std::wstring out;
    for (wchar_t c : value) {
        switch (c) {
        case L'\\': out += L"\\\\"; break;
        case L'\t': out += L"\\t"; break;
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        default: out += c;
        }
    }
    return out;
}

std::wstring Unescape(const std::wstring& value)
{
    std::wstring out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != L'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case L't': out += L'\t'; break;
        case L'r': out += L'\r'; break;
        case L'n': out += L'\n'; break;
        default: out += value[i];
        }
    }
    return out;
}

std::vector<std::wstring> SplitFields(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find(L'\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

void AddLine(std::wstring& text, const wchar_t* key, std::initializer_list<std::wstring> values)
{
    text += key;
    for (const std::wstring& value : values)
        text += L'\t' + Escape(value);
    text += L'\n';
}

unsigned long Number(const std::wstring& text)
{
    return wcstoul(text.c_str(), nullptr, 10);
}

} // namespace

std::wstring FormatStandInCall(const StandInCall& call)
{
    std::wstring text;
    AddLine(text, L"commandLine", {call.commandLine});
    AddLine(text, L"directory", {call.directory});
    AddLine(text, L"processId", {std::to_wstring(call.processId)});
    AddLine(text, L"priorityClass", {std::to_wstring(call.priorityClass)});
    AddLine(text, L"startupFlags", {std::to_wstring(call.startupFlags)});
    AddLine(text, L"showWindow", {std::to_wstring(call.showWindow)});
    for (const StandInInput& input : call.inputs)
        AddLine(text, L"input", {input.path, std::to_wstring(input.size)});
    if (call.handedOn) {
        AddLine(text, L"nativeExitCode", {std::to_wstring(call.nativeExitCode)});
        AddLine(text, L"nativeOutput", {call.nativeOutput});
    }
    AddLine(text, kEnd, {});
    return text;
}

bool ParseStandInCall(const std::wstring& text, StandInCall* call)
{
    *call = StandInCall();
    size_t start = 0;
    while (start < text.size()) {
        const size_t newline = text.find(L'\n', start);
        if (newline == std::wstring::npos)
            return false;
        const std::vector<std::wstring> f = SplitFields(text.substr(start, newline - start));
        start = newline + 1;
        const std::wstring& key = f[0];
        const std::wstring value = f.size() > 1 ? f[1] : std::wstring();
        if (key == kEnd)
            return start == text.size();
        if (key == L"commandLine")
            call->commandLine = value;
        else if (key == L"directory")
            call->directory = value;
        else if (key == L"processId")
            call->processId = Number(value);
        else if (key == L"priorityClass")
            call->priorityClass = Number(value);
        else if (key == L"startupFlags")
            call->startupFlags = Number(value);
        else if (key == L"showWindow")
            call->showWindow = static_cast<WORD>(Number(value));
        else if (key == L"input" && f.size() == 3)
            call->inputs.push_back({value, _wtoi64(f[2].c_str())});
        else if (key == L"nativeExitCode")
            call->handedOn = true, call->nativeExitCode = _wtoi(value.c_str());
        else if (key == L"nativeOutput")
            call->nativeOutput = value;
        else
            return false;
    }
    return false;
}

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine)
{
    const wchar_t* p = commandLine.c_str();
    // The program name ends at the first blank unless it is quoted; no escapes in it.
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {}
        if (*p)
            ++p;
    } else {
        for (; *p && *p != L' ' && *p != L'\t'; ++p) {}
    }

    std::vector<std::wstring> words;
    for (;;) {
        while (*p == L' ' || *p == L'\t')
            ++p;
        if (!*p)
            return words;
        std::wstring word;
        bool quoted = false;
        while (*p && (quoted || (*p != L' ' && *p != L'\t'))) {
            size_t backslashes = 0;
            while (*p == L'\\')
                ++backslashes, ++p;
            if (*p == L'"') {
                // 2n backslashes and a quote: n backslashes and a quote that groups;
                // 2n+1: n backslashes and a literal quote.
                word.append(backslashes / 2, L'\\');
                if (backslashes % 2) {
                    word += L'"';
                } else if (quoted && p[1] == L'"') {
                    word += L'"';  // "" inside quotes: a literal quote
                    ++p;
                } else {
                    quoted = !quoted;
                }
                ++p;
            } else {
                word.append(backslashes, L'\\');
                if (*p && (quoted || (*p != L' ' && *p != L'\t')))
                    word += *p++;
            }
        }
        words.push_back(word);
    }
}

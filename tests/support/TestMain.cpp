// Entry point of every test program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

namespace {

// Wine's debugger ends a crashed program with exit code 0, which would count as
// a pass: a crash anywhere, on any thread, ends the test program with a failure.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    fprintf(stderr, "\nCRASH: exception 0x%08lX at %p\n", record->ExceptionCode, record->ExceptionAddress);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 0xC0DE);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int main(int argc, char** argv)
{
    // CTest parses the listing of the tests; text mode would add a CR to every line.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // A crash ends the test program with a code instead of waiting on a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "Tmpfs.h"

#include "NativeTool.h"

#include <gtest/gtest.h>

Tmpfs::Tmpfs(const std::wstring& folder, const char* size) : m_folder(ShellQuote(UnixPath(folder)))
{
    const NativeResult mounted =
        RunNative("mkdir -p " + m_folder + " && mount -t tmpfs -o size=" + size + " tmpfs " + m_folder);
    m_mounted = mounted.exitCode == 0;
    EXPECT_TRUE(m_mounted) << "cannot mount a tmpfs (root needed): " << mounted.output;
}

Tmpfs::~Tmpfs()
{
    if (m_mounted) {
        const NativeResult unmounted = RunNative("umount -l " + m_folder);
        EXPECT_EQ(unmounted.exitCode, 0) << unmounted.output;
    }
}

// The tool windows' runtime classes: each answers with its own name and stands
// on CDialogEx, whatever the two video tools share in between.
#include "AUDIOMUX.h"
#include "MKVMUX.h"
#include "RGBtoYUV420p.h"

#include <gtest/gtest.h>

namespace {

TEST(ToolClassesTest, EachToolNamesItselfWithCDialogExAsItsBase)
{
    AUDIOMUX mix;
    MKVMUX pack;
    RGBtoYUV420p transcode;
    const struct
    {
        const CDialogEx* tool;
        const char* name;
    } tools[] = {{&mix, "AUDIOMUX"}, {&pack, "MKVMUX"}, {&transcode, "RGBtoYUV420p"}};
    for (const auto& t : tools) {
        SCOPED_TRACE(t.name);
        const CRuntimeClass* runtimeClass = t.tool->GetRuntimeClass();
        EXPECT_STREQ(runtimeClass->m_lpszClassName, t.name);
        EXPECT_EQ(runtimeClass->m_pBaseClass, RUNTIME_CLASS(CDialogEx));
        EXPECT_TRUE(t.tool->IsKindOf(RUNTIME_CLASS(CDialogEx)));
    }
}

} // namespace

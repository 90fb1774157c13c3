#include "replay/JournalScript.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ScriptFromJournal, KeepsScansTypedLabelsAndClicksInOrder) {
    const std::string journal = "10:42:07.315 journal opened\n"
                                "10:42:07.400 status Ready.\n"
                                "10:42:08.001 scan %12PA\\xd1 P 5\\r\n"
                                "10:42:08.002 decide field S: scan nothing\n"
                                "10:42:09.000 click AClear 0\n"
                                "10:42:10.000 typed %STOP%\n"
                                "10:42:11.000 host AddLine #161=scan 1\n"
                                "10:42:12.000 scan %STOP%";
    EXPECT_EQ(ScriptFromJournal(journal), "# a run started at 10:42:07.315\n"
                                          "scan %12PA\\xd1 P 5\\r\n"
                                          "set AClear 0\n"
                                          "type %STOP%\n"
                                          "scan %STOP%\n");
}

} // namespace
} // namespace quillet

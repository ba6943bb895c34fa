// The one main() of the screen tests: a QApplication under the program's own conventions
// (Qt's Italian button texts, dd/mm/yyyy and the decimal comma). A test program that needs
// more (screens created at start, a program folder) registers a ::testing::Environment.
#include "ui/common/messages.h"
#include "ui/common/screens.h"
#include "ui/common/theme.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tavolex::ui::installItalianTranslations();
    tavolex::ui::applyProgramFormats();
    tavolex::ui::applyTheme();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

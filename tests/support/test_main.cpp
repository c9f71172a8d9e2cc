// Shared main of every test executable: an offscreen QApplication, a check that
// a real font is present (a missing font would make every page test meaningless),
// then GoogleTest.
#include "app/application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (QFontDatabase::families().isEmpty()) {
        std::fprintf(stderr, "no fonts found: install fonts-dejavu-core\n");
        return EXIT_FAILURE;
    }
    applyApplicationFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

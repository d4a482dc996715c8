// Form6: the information text alone, read-only, filling its window.

#include "readme_window.h"

#include "generator_texts.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace marlek {
namespace {

TEST(ReadMeWindow, ShowsTheInformationTextReadOnlyAcrossTheWholeWindow) {
    auto *window = new ReadMeWindow;
    window->show();
    EXPECT_EQ(window->objectName(), "Form6");
    EXPECT_EQ(window->windowTitle(), "Marlek's Lotto");
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    auto *text = window->findChild<QPlainTextEdit *>("Text1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(),
              QString::fromStdString(informationText(6)).replace("\r\n", "\n"));
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->geometry(), window->rect());
    window->resize(window->width() + 50, window->height() + 30);
    EXPECT_EQ(text->geometry(), window->rect());
    delete window;
}

} // namespace
} // namespace marlek

#pragma once
// Helpers for the tests of the widget layer and of pages 1..13: typing that
// works for Cyrillic, user selections in lists, and test images.
#include "config/config_image.h"
#include "config/defaults.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>
#include <random>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace pagetest {

// Types `text` into `w` one key event per character (QTest::keyClicks
// aborts on characters outside Latin-1).
inline void typeText(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

// Selects item `index` as the user does: the list changes and reports the
// choice.
inline void chooseItem(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

inline ConfigImage defaultImage() {
    ConfigImage image;
    SetAllDefaults(image);
    return image;
}

inline ConfigImage randomImage(unsigned seed) {
    ConfigImage image;
    std::mt19937 gen(seed);
    for (auto& b : image.bytes())
        b = static_cast<std::uint8_t>(gen());
    return image;
}

// The control `name` of `page`; fails the test when it is missing.
template <typename T> T* child(const QWidget* page, const QString& name) {
    T* w = page->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
    return w;
}

// Bytes that differ between two images, as "offset: old -> new" lines.
inline std::string differences(const ConfigImage& a, const ConfigImage& b) {
    std::string out;
    for (std::size_t i = 0; i < ConfigImage::size(); ++i)
        if (a.u8(i) != b.u8(i))
            out += std::to_string(i) + ": " + std::to_string(a.u8(i)) + " -> " +
                   std::to_string(b.u8(i)) + "\n";
    return out;
}

} // namespace pagetest

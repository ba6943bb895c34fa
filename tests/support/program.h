#pragma once

#include "uitest.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace tavolex::test {

// The whole program, started as main() starts it, in a fresh program folder, with the clock
// fixed at `now` and desktop openings recorded instead of made.
class ProgramEnvironment : public ::testing::Environment {
public:
    explicit ProgramEnvironment(QDateTime now) : m_now(std::move(now)) {}
    void SetUp() override;
    void TearDown() override;

    static const QString& folder(); // the program folder, with its final '/'
    static QStringList& opened();   // what the desktop opener was asked to open

private:
    QDateTime m_now;
};

// One top-level screen driven by its controls' objectNames.
class ScreenDriver {
public:
    explicit ScreenDriver(QString screen) : m_screen(std::move(screen)) {}

    QWidget* widget() const { return topLevel(m_screen); }
    template <typename T = QWidget> T* on(const QString& control) const {
        return child<T>(widget(), control);
    }
    void click(const QString& control) const;
    // Clicks and answers the message box it opens; what the box showed.
    SeenBox clickAndAnswer(const QString& control, const QString& answer = {}) const;
    // Sets the text of a line edit or an editable drop-down.
    void type(const QString& control, const QString& text) const;
    // The text of a line edit, drop-down or label.
    QString shown(const QString& control) const;

private:
    QString m_screen;
};

// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

} // namespace tavolex::test

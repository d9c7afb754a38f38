// The dialogs of the windows answered by a script and recorded, for the window tests.
#pragma once

#include "ui_dialogs.h"

#include <deque>

namespace tessaly::test {

class RecorderDialogs : public UiDialogs {
public:
    std::deque<QStringList> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<bool> yesNoAnswers;
    QStringList messages;
    QStringList questions;
    int beeps = 0;
    int programStarts = 0;

    QStringList openFiles(QWidget*, const QString&, const QString&, bool) override {
        if (openAnswers.empty()) return {};
        QStringList answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override {
        if (saveAnswers.empty()) return {};
        QString answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void message(QWidget*, const QString& text) override { messages << text; }
    bool askYesNo(QWidget*, const QString& text) override {
        questions << text;
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }
    bool startProgram(const QStringList&) override {
        ++programStarts;
        return false;
    }
};

} // namespace tessaly::test

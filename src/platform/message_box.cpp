#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>


const QString AppTitle = QStringLiteral("けるびら");

namespace {

MsgBoxHandler& handler() {
    static MsgBoxHandler h;
    return h;
}

MsgBoxShaper& shaper() {
    static MsgBoxShaper s;
    return s;
}

int ShowRealBox(const QString& prompt, int buttons, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, QString(prompt).replace('\r', '\n'),
                    QMessageBox::NoButton, QApplication::activeWindow());
    if (shaper()) shaper()(box);
    if (buttons == vbYesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? vbYes : vbNo;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return vbOK;
}

}  // namespace

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    if (handler()) return handler()(prompt, buttons, title);
    return ShowRealBox(prompt, buttons, title);
}

void SetMsgBoxShaper(MsgBoxShaper s) {
    shaper() = std::move(s);
}

void SetMsgBoxHandler(MsgBoxHandler h) {
    handler() = std::move(h);
}

#include "classroom/join_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "classroom/class_publisher.h"

namespace Vexo {

JoinDialog::JoinDialog(std::unique_ptr<ClassFind::ClassBrowser> browser, QWidget* parent)
    : QDialog(parent), browser_(std::move(browser)) {
    setWindowTitle(QStringLiteral("クラスに さんか"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("みつかった クラス：")));
    found = new QListWidget;
    column->addWidget(found);
    none_ = new QLabel;
    none_->setWordWrap(true);
    column->addWidget(none_);
    auto* form = new QFormLayout;
    pc = new QLineEdit;
    pc->setPlaceholderText(QStringLiteral("teacher-pc"));
    className = new QLineEdit;
    className->setPlaceholderText(QStringLiteral("2-1"));
    joinCode = new QLineEdit;
    form->addRow(QStringLiteral("パソコン："), pc);
    form->addRow(QStringLiteral("クラス："), className);
    form->addRow(QStringLiteral("さんかコード："), joinCode);
    column->addLayout(form);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("さんか"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("やめる"));
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // A PC typed is the one meant: no class found stays picked.
    for (QLineEdit* typed : {pc, className})
        connect(typed, &QLineEdit::textEdited, this, [this] {
            found->clearSelection();
            found->setCurrentRow(-1);
            check();
        });
    connect(found, &QListWidget::itemSelectionChanged, this, [this] { check(); });
    connect(found, &QListWidget::itemDoubleClicked, this, [this] {
        if (!joinCode->text().trimmed().isEmpty())
            accept();
        else
            joinCode->setFocus();
    });
    showFound();

    ClassFind::ClassBrowser::Callbacks callbacks;
    callbacks.found = [this](const ClassFind::ResolvedService& service) {
        if (classes_.found(service)) showFound();
    };
    callbacks.lost = [this](const QString& instance, const QString& seenOn) {
        if (classes_.lost(instance, seenOn)) showFound();
    };
    if (browser_) browser_->browse(callbacks);
}

JoinDialog::~JoinDialog() {
    browser_.reset();  // stops looking before the list goes
}

void JoinDialog::showFound() {
    // The class picked stays picked while it is found.
    const int row = found->currentRow();
    const QString picked =
        row >= 0 && row < int(offered_.size()) && found->currentItem()->isSelected()
            ? offered_[row].address
            : QString();
    offered_ = classes_.offered();
    const QSignalBlocker quiet(found);
    found->clear();
    int again = -1;
    for (const ClassFind::FoundClass& c : offered_) {
        if (c.address == picked) again = found->count();
        found->addItem(c.className + QStringLiteral("　（") + c.pc + QStringLiteral("）"));
    }
    // The first class found is picked while nothing is typed: most rooms have one.
    if (again < 0 && picked.isEmpty() && pc->text().trimmed().isEmpty() && !offered_.empty())
        again = 0;
    if (again >= 0) found->setCurrentRow(again);
    none_->setText(
        offered_.empty()
            ? QStringLiteral("クラスは みつかりません。先生の がめんの パソコンの 名前と "
                             "クラスを いれてください。")
            : QStringLiteral("この中に ないときは、先生の がめんの パソコンの 名前と クラスを "
                             "いれてください。"));
    check();
}

void JoinDialog::check() {
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!address().isEmpty());
}

QString JoinDialog::address() const {
    const int row = found->currentRow();
    if (row >= 0 && row < int(offered_.size()) && found->currentItem()->isSelected())
        return offered_[row].address;
    return ClassFind::TypedClassAddress(pc->text(), className->text());
}

QString JoinDialog::code() const {
    return joinCode->text().trimmed();
}

JoinDialog* OfferClasses(QWidget* parent, std::unique_ptr<ClassFind::ClassBrowser> browser,
                         const QString& group) {
    auto* dialog = new JoinDialog(std::move(browser), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, dialog, [dialog, group] {
        JoinClass(dialog->address(), group, QString(), dialog->code());
    });
    dialog->open();
    return dialog;
}

}  // namespace Vexo

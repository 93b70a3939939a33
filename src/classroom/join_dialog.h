// Joining a class from the graph's menu: a small dialog offers the classes found on the
// network (each by its name and its PC's), with a place to type the PC's name and the class
// as the teacher's screen shows them when none is found, and the class's join code.
#pragma once

#include <QDialog>
#include <memory>

#include "classfind/class_finder.h"
#include "classfind/found_classes.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace Vexo {

class JoinDialog : public QDialog {
    Q_OBJECT
  public:
    // Looks for classes with `browser` while it is open.
    explicit JoinDialog(std::unique_ptr<ClassFind::ClassBrowser> browser,
                        QWidget* parent = nullptr);
    ~JoinDialog() override;

    // The class chosen: the one found that is picked, else the one typed; empty when neither.
    QString address() const;
    QString code() const;

    QListWidget* found;  // the classes found
    QLineEdit* pc;       // the PC's name typed, "teacher-pc" or "teacher-pc:1884"
    QLineEdit* className;
    QLineEdit* joinCode;
    QDialogButtonBox* buttons;

  private:
    void showFound();
    void check();

    ClassFind::FoundClasses classes_;
    std::vector<ClassFind::FoundClass> offered_;  // as the list shows them
    QLabel* none_;
    std::unique_ptr<ClassFind::ClassBrowser> browser_;
};

// Opens the dialog over `parent`, looking with `browser`, and joins the class chosen as
// `group` (JoinClass) once it is accepted. The dialog goes when it is closed.
JoinDialog* OfferClasses(QWidget* parent, std::unique_ptr<ClassFind::ClassBrowser> browser,
                         const QString& group);

}  // namespace Vexo

// The big read-out box Text1: a read-only line edit whose bold number stays bold at any size.
// Qt draws text of 64 pixels and more as outlines, and the outline of a font without a bold
// face is not emboldened as its glyphs are: at three times the design the number would turn
// thin while ℃ beside it stays bold. From that size on the box draws its text itself, the
// outline widened as the font's own emboldening widens a glyph.
#pragma once

#include <QHash>
#include <QImage>
#include <QLineEdit>

class ReadoutBox : public QLineEdit {
  public:
    // The text size from which the box draws its bold text itself.
    static constexpr int OutlinePixels = 64;

    explicit ReadoutBox(QWidget* parent) : QLineEdit(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    static constexpr int MaxLetterings = 16;
    const QImage& lettering(QSize size, int baseline);
    QHash<QString, QImage> letterings_;
};

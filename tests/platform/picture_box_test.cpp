// The picture box on the screen: what a surface changes reaches the widget, at once during
// start-up (at most a repaint a frame) and coalesced otherwise.
#include <QtTest>

#include "platform/picture_box.h"
#include "platform/surface.h"

namespace {

// Counts the paints a widget gets.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

class PictureBoxTest : public QObject {
    Q_OBJECT

    QWidget window_;
    Surface surface_{40, 30, RGB(192, 192, 192), QFont(), RGB(0, 0, 0)};
    PictureBox* box_ = nullptr;
    PaintCounter counter_;

  private slots:
    void init() {
        box_ = new PictureBox(surface_, &window_);
        box_->setGeometry(0, 0, 40, 30);
        box_->show();
        box_->installEventFilter(&counter_);
        window_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window_));
        QCoreApplication::processEvents();
        counter_.paints = 0;
    }
    void cleanup() { delete box_; }

    void startUpPaintsAtOnceAtMostOnceAFrame() {
        box_->setImmediate(true);
        surface_.PSet({1, 1}, RGB(255, 0, 0));
        QCOMPARE(counter_.paints, 1);  // on the screen before the event loop runs again
        // A burst within the frame waits for the next repaint.
        for (int i = 0; i < 10; ++i) surface_.PSet({2.0 + i, 2}, RGB(255, 0, 0));
        QCOMPARE(counter_.paints, 1);
        QTRY_COMPARE(counter_.paints, 2);  // the event loop paints the burst meanwhile
        QTest::qWait(PictureBox::FrameMs);
        surface_.PSet({20, 20}, RGB(0, 0, 255));
        QCOMPARE(counter_.paints, 3);
    }

    void otherwiseOneRepaintPerTurnOfTheEventLoop() {
        box_->setImmediate(false);
        for (int i = 0; i < 10; ++i) surface_.Line({0, double(i)}, {39, double(i)}, RGB(0, 0, 255));
        QCOMPARE(counter_.paints, 0);
        QTRY_COMPARE(counter_.paints, 1);
        QTest::qWait(PictureBox::FrameMs);
        QCOMPARE(counter_.paints, 1);
    }

    void theWidgetShowsTheSurface() {
        surface_.FilledBox({5, 5}, {30, 20}, RGB(0, 128, 0));
        surface_.Circle({20, 15}, 4, RGB(255, 0, 0));
        QTest::qWait(PictureBox::FrameMs);
        QCOMPARE(box_->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 surface_.image().convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"

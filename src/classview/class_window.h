// The class view's window: the groups (tiles, or a compact list when the class is large)
// above one graph of every group's trace, fed by the class's broker or by lesson files opened
// or dropped on it. On the graph the teacher draws a prediction, sets markers and reads values
// off (classview/graph_view.h); under it stands the class's results, まとめ, shown large on
// request. The graph's menu copies or saves the graph, saves the class's lesson as CSV with
// its results beside it, and opens lesson files.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "classlink/broker_connection.h"
#include "classview/class_model.h"
#include "classview/class_tiles.h"
#include "classview/graph_view.h"
#include "classview/results_view.h"

class QBoxLayout;
class QPushButton;
class QMenu;

namespace ClassView {

class ClassWindow : public QWidget {
  public:
    ClassWindow();
    ~ClassWindow() override;

    // Subscribes to the class at `address`, through the connection `connect` makes (the
    // broker's by default); without a class the window shows files alone.
    void watch(const ClassLink::ClassAddress& address,
               const ClassLink::MakeConnection& connect = ClassLink::ConnectToBroker);
    // Opens a group's lesson file; false when it is not one, or the class is full.
    bool openLesson(const QString& path);
    // Takes one message as the broker delivered it (from this thread). What it changes is shown
    // with the next showing: at most every ShowEveryMs, however many groups tick.
    void receive(const QByteArray& topic, const QByteArray& payload);
    static constexpr int ShowEveryMs = 250;
    // How often the window has shown what came: tiles, counts and graph painted anew.
    int showings() const { return showings_; }

    const ClassModel& model() const { return model_; }
    int received() const { return received_; }
    int dropped() const { return dropped_; }
    // The line under the graph: groups, messages received and dropped (those that came too
    // fast, and from whom), the shared page's counts.
    QString countsShown() const { return counts_->text(); }
    // Sharing the class with the pupils' tablets, done by a room above this one: the graph's
    // menu switches it (when set), each message taken is handed on, each change of the
    // prediction or the markers is told, and the window shows the page's address and QR code
    // (an empty address hides them) and how many look and were refused or let go for falling
    // behind.
    std::function<void(bool on)> shareSwitched;
    std::function<void(const ClassLink::Message& message)> messageTaken;
    std::function<void()> stepsChanged;
    void showShare(const QString& address, const QImage& code);
    void setShareCounts(int viewers, int refused, int letGo);
    QString shareShown() const { return shareText_->isHidden() ? QString() : shareText_->text(); }

    // A class opened on this PC: where groups join, written large for the back row (the PC's
    // name, the class and its join code); empty hides it. And a group the class's broker
    // refused, with why, the latest few.
    void showJoin(const QString& text);
    // Opening a class on this PC, done by a room above this one: the graph's menu offers it
    // (when set) while the window watches no class.
    std::function<void()> openClassAsked;
    void sayRefused(const QString& text);
    QString joinShown() const { return join_->isHidden() ? QString() : join_->text(); }
    QString refusalsShown() const { return refusals_->text(); }

    // What the window says about the class's broker; empty while the view is connected.
    QString faultShown() const { return state_->isHidden() ? QString() : state_->text(); }
    // The graph as shown, at the window's scale, its legend naming every group.
    QImage graphPicture() const;
    // Writes the class's lesson to `path` and its results beside it (ResultsPath); false
    // when either could not be written.
    bool saveCsv(const QString& path) const;
    // Where the results of the class's lesson saved at `csvPath` are written: "2-1.csv" →
    // "2-1_まとめ.csv".
    static QString ResultsPath(const QString& csvPath);

    const GroupBoard& board() const { return *board_; }
    // The teacher's tools, as the buttons, keys and menu use them.
    GraphView& graph() const { return *graph_; }
    void setTool(GraphView::Tool tool);
    void setPrediction(Prediction prediction);
    void erasePrediction();
    // The time a marker set now stands at: while a group measures, the class's latest tick;
    // else the tick pointed at (`pointed`, or the cursor's), else the latest tick there is.
    double markerSeconds(int pointed = -1) const;
    // Sets a marker labelled `label` at markerSeconds(`pointed`); false when it is not set.
    bool mark(const QString& label, int pointed = -1);
    void removeLastMarker();
    void clearMarkers();
    // The markers as listed under the graph, with their times.
    QString markersShown() const { return markers_->text(); }
    // まとめ shown large in the graph's place, or as a strip under the graph.
    void showResultsLarge(bool large);
    bool resultsLarge() const { return results_->large(); }
    const ResultsView& results() const { return *results_; }

  protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void changed();
    void stepsDone();
    void showResults();
    void showSoon();
    void pick(int group);
    int pickedIndex() const;
    void showMenu(QPoint at);
    void addStepActions(QMenu& menu, int pointed);
    void askForMarker(int pointed = -1);
    void askToSaveCsv();
    void askToOpen();
    void showTitle();
    void showFault(ClassLink::LinkFault fault);
    void syncTools();
    void showCode();
    void joinLettering();

    ClassModel model_;
    QString className_;
    std::unique_ptr<ClassLink::BrokerConnection> link_;
    ClassLink::LinkFault fault_ = ClassLink::LinkFault::Connecting;
    int received_ = 0, dropped_ = 0;
    QString picked_;          // the group whose trace stands out; empty: none
    size_t boardGroups_ = 0;  // the groups the board was laid out for
    QBoxLayout* bottom_;      // what stands under the graph
    QBoxLayout* strip_;       // the results and the markers
    GroupBoard* board_;
    GraphView* graph_;
    ResultsView* results_;
    QLabel* markers_;
    QLabel* counts_;
    QLabel* state_;  // why the broker is not reached; hidden while it is
    QLabel* join_;
    QLabel* refusals_;
    QStringList refusedGroups_;  // the latest refusals, newest last
    QLabel* shareText_;
    QLabel* shareCode_;
    QImage shareImage_;  // the page's QR code, a pixel a module
    QPushButton* predict_;
    QPushButton* twoPoints_;
    QPushButton* stretch_;
    QPushButton* resultsButton_;
    int viewers_ = 0, refused_ = 0, letGo_ = 0;
    QTimer showing_;  // runs while what came waits to be shown
    int showings_ = 0;
};

}  // namespace ClassView

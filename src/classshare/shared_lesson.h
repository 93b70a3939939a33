// What a shared page shows, whoever shares it: the class view its class, Kelvira its own
// lesson. The page's server reads it when a browser opens the page and while the lesson so far
// goes out; it holds nothing of it itself. Frames are the feed's JSON (classshare/feed_frames.h).
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

namespace ClassShare {

class SharedLesson {
  public:
    virtual ~SharedLesson() = default;
    // The class and its groups as they stand now, without their ticks.
    virtual QByteArray classFrame() const = 0;
    // The frames of the lesson's steps as they stand now, sent right after the class frame:
    // the prediction, the markers and the class's results.
    virtual QByteArrayList stepFrames() const { return {}; }
    virtual int groups() const = 0;
    // One past the last tick `group` holds.
    virtual int ticks(int group) const = 0;
    // `count` ticks of `group` from `from` on; `fresh` when they start the group's ticks anew.
    virtual QByteArray ticksFrame(int group, int from, int count, bool fresh) const = 0;
    // The lesson as one CSV file, as Kelvira writes it, and the file's name.
    virtual QByteArray csv() const = 0;
    virtual QString csvName() const = 0;
};

}  // namespace ClassShare

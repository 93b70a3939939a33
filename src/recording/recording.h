// Every lesson kept: each measurement is recorded tick by tick into a CSV file as it
// happens, and on every stop the graph as shown is saved beside it as a PNG. It listens to
// the lesson events; faults never stop a measurement, they only mark the window's title until
// the next start records again.
#pragma once

#include <QImage>
#include <QString>

#include "core/lesson_events.h"

class Zanpo;

namespace Vexo {

// --- The lesson events ----------------------------------------------------------------
// Attaches the recording to the lesson events, once.
void AttachRecording();
// A tick recorded: its line goes into the file.
void KeepRecordedTick(const RecordedTick& tick);
// A start: the first start and the first after a reset begin a new lesson file; any other
// start continues the same one, and tries again after a fault.
void RecordingStarts();
// A stop, once the overview is drawn: its picture goes beside the file.
void RecordingStops();
// The recording erased: the lesson is over, the next start opens a new file.
void RecordingErased();

// --- Where lessons go --------------------------------------------------------------------
// The customization key Kiroku= as it is read into KirokuKey and KirokuBase: `text` names the
// folder (relative to `base`), "0" switches recording off, empty text restores the default,
// Kelvira/ in the documents folder.
void SetRecordingFolder(const QString& text, const QString& base);
// The option --no-record.
void SwitchRecordingOff();
// The folder lessons are recorded in; empty when recording is switched off.
QString RecordingFolder();

// --- What the window and the tests see ----------------------------------------------
QString RecordingFile();  // the current lesson's CSV file; empty before it exists
int RecordedTicks();      // how many ticks that file holds
// The graph area of Picture2 as it stands.
QImage GraphPicture();
// The menu of the graph's right button: copy, save as, open the recordings folder.
void InstallGraphMenu(Zanpo& window);
// The program ends: what the lesson's file holds is brought onto the disk, and it is closed.
void FinishRecording();
// Back to the state at program start: recording on, default folder, no lesson (tests).
void ResetRecording();

}  // namespace Vexo

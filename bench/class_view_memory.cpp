// The class view's memory with a large class: 40 groups' lessons of 10 000 ticks each
// received as messages (read as from the network), the window on the screen and its graph
// drawn. Prints the peak resident memory in KiB.
#include <unistd.h>

#include <QApplication>
#include <cstdio>

#include "bench/class_of_forty.h"
#include "bench/proc_figures.h"
#include "classview/class_window.h"
#include "platform/fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ReadFontConfiguration();
    ClassView::ClassWindow window;
    window.show();
    QCoreApplication::processEvents();
    // The view watches no class: the messages come with an empty class's name.
    ClassOfFortyMessages(QString(), [&window](const QByteArray& topic, const QByteArray& payload) {
        window.receive(topic, payload);
    });
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    if (window.model().groups().size() != 40) {
        std::fprintf(stderr, "class_view_memory: %zu groups received\n",
                     window.model().groups().size());
        return 1;
    }
    std::printf("%ld\n", PeakResidentKiB(getpid()));
    return 0;
}

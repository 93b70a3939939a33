// kelvira-class: the class view of Kelvira, every group of a class on one screen.
#include "app/class_view_run.h"

int main(int argc, char** argv) {
    return App::RunClassView(argc, argv);
}

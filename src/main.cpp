// Kelvira: a classroom thermometer for the Zanpo measurement box.
#include "app/run.h"

int main(int argc, char** argv) {
    return App::Run(argc, argv);
}

#include "Startup.h"

int main(int argc, char* argv[]) {
    return mivesk::runMivesk(argc, argv);
}

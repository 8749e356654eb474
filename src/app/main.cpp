#include "startup.h"

int main(int argc, char **argv)
{
    return RunLumivane(argc, argv);
}

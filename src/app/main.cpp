#include "app/VelKandrixApp.h"

int main(int argc, char **argv)
{
    return RunVelKandrix(argc, argv);
}

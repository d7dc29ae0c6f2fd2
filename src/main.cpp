#include "app/ui/application.h"

int main(int argc, char **argv)
{
    return sorvix::runApplication(argc, argv);
}

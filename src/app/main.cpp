#include "app/startup.h"
#include "platform/application.h"

int main(int argc, char **argv)
{
    Application app(argc, argv);
    return startup::run();
}

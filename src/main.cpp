#include "platform/ErrorReport.h"

int main(int argc, char **argv)
{
    PlinketyApplication app(argc, argv);
    return 0;
}

#include <QCoreApplication>

int runTPFilesTest(int argc, char **argv);
int runTPDirTest(int argc, char **argv);
int runTPImageTest(int argc, char **argv);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runTPFilesTest(argc, argv);
    failures += runTPDirTest(argc, argv);
    failures += runTPImageTest(argc, argv);
    return failures == 0 ? 0 : 1;
}

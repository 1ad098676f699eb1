// The channel editor on a 4,000-channel image: opening it (converter, load and
// window), moving 100 selected channels, switching the type, and undoing and
// redoing a sort of the whole list, with the list views attached as in use.
#include "BenchTiming.h"
#include "ChannelImage.h"
#include "channel/ui/frmCHEdit.h"
#include "common/Converters.h"
#include "common/WholeFile.h"
#include "link/ReceiverLink.h"
#include "support/SampleTables.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const ProgramDir programDir(dir.path());
    for (const char *program : {"ChannelParse", "ChannelCombine"})
        QFile::link(QStringLiteral(TARVIK_STAGE_DIR "/") + QLatin1String(program),
                    dir.filePath(QLatin1String(program)));
    ChannelTables tables = sampleTables(4000, 0, 0);
    tables.Channels[ChannelRadio] = tables.Channels[ChannelTV].mid(0, 500);
    const Result<QByteArray> image = ChannelImage::build(tables);
    const QString bin = dir.filePath(QStringLiteral("channels.bin"));
    if (!image || !writeWholeFile(bin, image.value())) {
        std::printf("cannot write the image\n");
        return 1;
    }
    std::printf("image: 4,000 TV and 500 radio channels\n");
    const Converters converters(programDir);
    ChannelModel model(programDir);
    ReceiverLink link(programDir);
    link.selectedFile = bin;
    measure("open the editor (converter included)", 10, [&] {
        if (!converters.channelParse(bin).succeeded() || !model.LoadChannelFiles())
            return false;
        auto editor = std::make_unique<frmCHEdit>(model, link, converters);
        editor->setAttribute(Qt::WA_DeleteOnClose, false);
        editor->show();
        QApplication::processEvents();
        editor->hide();
        return true;
    });
    frmCHEdit editor(model, link, converters);
    editor.setAttribute(Qt::WA_DeleteOnClose, false);
    editor.show();
    QApplication::processEvents();
    QList<int> selected;
    for (int p = 0; p < 4000; p += 40)
        selected.append(p);
    measure("move 100 selected of 4,000 channels", 20, [&] {
        const bool moved = editor.editing().moveChannels(selected, 2001).size() == 100;
        QApplication::processEvents();
        return moved;
    });
    int type = ChannelTV;
    measure("type switch", 20, [&] {
        type = 1 - type;
        const bool switched = editor.editing().switchType(type);
        QApplication::processEvents();
        return switched;
    });
    editor.editing().switchType(ChannelTV);
    editor.sortCommand(frmCHEdit::Sort::ZToA);
    QApplication::processEvents();
    QUndoStack *history = editor.undoStack();
    const int top = history->index();
    measure(
        "undo of a 4,000-channel sort", 20,
        [&] {
            history->undo();
            QApplication::processEvents();
            return history->index() == top - 1;
        },
        [&] {
            if (history->index() != top)
                history->redo();
            QApplication::processEvents();
        });
    measure(
        "redo of a 4,000-channel sort", 20,
        [&] {
            history->redo();
            QApplication::processEvents();
            return history->index() == top;
        },
        [&] {
            if (history->index() == top)
                history->undo();
            QApplication::processEvents();
        });
    return 0;
}

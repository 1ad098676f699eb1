#pragma once

// The channel editor window on its own, over an image of chosen channels that
// the real converter has parsed, as the main window opens it.

#include "ChannelImage.h"
#include "channel/ui/frmCHEdit.h"
#include "common/Converters.h"
#include "common/WholeFile.h"
#include "link/ReceiverLink.h"
#include "support/SampleTables.h"
#include "support/TempProgramDir.h"

#include <QHeaderView>
#include <QTreeView>
#include <QtTest>

#include <memory>

// An editor on an image of the given channels, loaded as the main window loads it.
struct Editor {
    TempProgramDir dir;
    ProgramDir programDir{dir.path()};
    QString image = dir.file(QStringLiteral("channels.bin"));
    Converters converters{programDir};
    ChannelModel model{programDir};
    ReceiverLink link{programDir};
    std::unique_ptr<frmCHEdit> window;

    explicit Editor(const QStringList &tvNames, int radio = 3)
    {
        for (const char *name : {"ChannelParse", "ChannelCombine"})
            QFile::copy(QStringLiteral(TARVIK_STAGE_DIR "/") + QLatin1String(name), dir.file(QLatin1String(name)));
        ChannelTables t = sampleTables(int(tvNames.size()), radio);
        for (qsizetype i = 0; i < tvNames.size(); ++i) {
            t.Rom[i].Name = tvNames[i];
            t.Rom[i].NameBytes = tvNames[i].toLatin1();
            t.Rom[i].NameLast = qint16(t.Rom[i].NameBytes.size() - 1);
        }
        writeImage(t);
        link.selectedFile = image;
        if (converters.channelParse(image).succeeded())
            model.LoadChannelFiles();
        window = std::make_unique<frmCHEdit>(model, link, converters);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
    }
    ~Editor()
    {
        model.SaveChannelFiles();  // no save prompt on the way out
        window->close();
    }
    void writeImage(const ChannelTables &t) { writeWholeFile(image, ChannelImage::build(t).value()); }

    template <typename T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QTreeView *list() const { return child<QTreeView>("List1"); }
    QStringList rows() const
    {
        QStringList names;
        for (int r = 0; r < list()->model()->rowCount(); ++r)
            names.append(list()->model()->index(r, 1).data().toString());
        return names;
    }
    QStringList favoriteRows() const
    {
        auto *view = child<QTreeView>("List3");
        QStringList names;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            names.append(view->model()->index(r, 1).data().toString());
        return names;
    }
    void trigger(const char *name) const { child<QAction>(name)->trigger(); }
    void clickHeader(int column) const
    {
        QHeaderView *header = list()->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    QPoint rowPoint(int row) const { return list()->visualRect(list()->model()->index(row, 1)).center(); }
    void selectRow(int row) const { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(row)); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const
    {
        QTest::keyClick(window.get(), Qt::Key(key), modifiers);
    }
};

#pragma once

#include <QObject>

class TestChannelModel : public QObject {
    Q_OBJECT
private slots:
    void loadAndSave();
    void loadFailureLeavesModelEmpty_data();
    void loadFailureLeavesModelEmpty();
    void unchanged_data();
    void unchanged();
    void writerReplacesAnySpelling();
    void unwritableFileStopsTheSave();
    void imageLoadConvertsFirst_data();
    void imageLoadConvertsFirst();
};

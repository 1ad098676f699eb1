#pragma once

#include <QObject>

class TestChannelFiles : public QObject {
    Q_OBJECT
private slots:
    void numberFormats_data();
    void numberFormats();
    void hexNames_data();
    void hexNames();
    void romReader_data();
    void romReader();
    void romWriter();
    void listReader_data();
    void listReader();
    void listWriter();
    void favoriteReader_data();
    void favoriteReader();
    void favoritesRoundTrip();
};

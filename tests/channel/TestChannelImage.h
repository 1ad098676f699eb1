#pragma once

#include <QObject>

class TestChannelImage : public QObject {
    Q_OBJECT
private slots:
    void buildAndParseRoundTrip();
    void parseRefuses_data();
    void parseRefuses();
    void buildRefuses_data();
    void buildRefuses();
    void hexNamesDecoded_data();
    void hexNamesDecoded();
    void combineOverCapacityWritesNothing();
    void parseOfWrongImageWritesNothing();
};

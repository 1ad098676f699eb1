#pragma once

#include <QString>

class ReceiverLink;
class ReceiverPort;

// A --port value: "ComN" (resolved in the program directory) or a device path.
struct PortChoice {
    int number = 0;  // 0: a device path
    QString device;
};

PortChoice portChoice(const QString &text);
void choosePort(ReceiverLink &link, ReceiverPort &port, const PortChoice &choice);
// The port as given, with the device it resolved to when that differs.
QString portName(const QString &given, const ReceiverPort &port);

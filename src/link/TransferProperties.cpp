#include "link/TransferProperties.h"

#include <QCoreApplication>
#include <QSettings>

void writeTransferProperties(const QString &settings, int portNumber, bool xonXoff)
{
    QSettings store(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    store.beginGroup(QStringLiteral("Properties"));
    store.setValue(QStringLiteral("Settings"), settings);
    store.setValue(QStringLiteral("CommPort"), portNumber);
    store.setValue(QStringLiteral("Handshaking"), xonXoff ? 1 : 0);
    store.setValue(QStringLiteral("Echo"), true);
    store.endGroup();
}

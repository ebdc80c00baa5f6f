#include "TestSupport.h"

#include "calendar/Cp932.h"

#include <QFile>

namespace hibimo::test {

Fixture::Fixture(QDate today) {
    module = std::make_unique<HbmModule>(dir.path(), ui);
    module->today = [today] { return today; };
}

QByteArray Fixture::bytes(const QString& name) const {
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void Fixture::writeBytes(const QString& name, const QByteArray& data) const {
    QFile f(path(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data);
}

void Fixture::writeText(const QString& name, const QString& text) const {
    writeBytes(name, encodeCp932(text));
}

void Fixture::writeList(const QString& name, const QString& text) const {
    writeText(name, QStringLiteral("\"") + text + QStringLiteral("\"\r\n"));
}

std::unique_ptr<HbmFrm> startMainWindow(Fixture& fx) {
    auto frm = std::make_unique<HbmFrm>(fx.m());
    Form::setMainForm(frm.get());
    frm->Form_Load();
    frm->show();
    frm->activateIfPending();
    return frm;
}

QString crlf(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace hibimo::test

#include "platform/qt/QtPortalFileDialog.h"

#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <optional>

namespace {

// The portal's filter: a name and (kind, pattern) pairs, kind 0 a glob.
struct PortalCondition {
    uint kind = 0;
    QString pattern;
};
struct PortalFilterWire {
    QString name;
    QList<PortalCondition> conditions;
};

QDBusArgument& operator<<(QDBusArgument& arg, const PortalCondition& c)
{
    arg.beginStructure();
    arg << c.kind << c.pattern;
    arg.endStructure();
    return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, PortalCondition& c)
{
    arg.beginStructure();
    arg >> c.kind >> c.pattern;
    arg.endStructure();
    return arg;
}
QDBusArgument& operator<<(QDBusArgument& arg, const PortalFilterWire& f)
{
    arg.beginStructure();
    arg << f.name << f.conditions;
    arg.endStructure();
    return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, PortalFilterWire& f)
{
    arg.beginStructure();
    arg >> f.name >> f.conditions;
    arg.endStructure();
    return arg;
}

} // namespace

Q_DECLARE_METATYPE(PortalCondition)
Q_DECLARE_METATYPE(PortalFilterWire)

namespace zt::platform::qt {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kChooser = QStringLiteral("org.freedesktop.portal.FileChooser");

void registerTypes()
{
    static const bool done = [] {
        qDBusRegisterMetaType<PortalCondition>();
        qDBusRegisterMetaType<QList<PortalCondition>>();
        qDBusRegisterMetaType<PortalFilterWire>();
        qDBusRegisterMetaType<QList<PortalFilterWire>>();
        return true;
    }();
    (void)done;
}

// Set once the portal failed a call: later dialogs go straight to ours.
bool gPortalFailed = false;

// The portal answers on the request object; this waits for it inside a
// modal run, so the window takes no input while the chooser is open.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    QDialog* blocker = nullptr;
    uint response = 2;
    QVariantMap results;

public slots:
    void gotResponse(uint code, const QVariantMap& answer)
    {
        response = code;
        results = answer;
        if (blocker != nullptr)
            blocker->done(code == 0 ? QDialog::Accepted : QDialog::Rejected);
    }
};

QString parentWindowId(QWidget* parent)
{
    if (parent == nullptr || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:%1").arg(parent->window()->winId(), 0, 16);
}

QByteArray folderBytes(const QString& folder)
{
    QByteArray bytes = QFile::encodeName(folder);
    bytes.append('\0'); // the portal takes a NUL-terminated byte string
    return bytes;
}

} // namespace

QList<PortalFilter> portalFilters(const std::string& filter)
{
    static const QRegularExpression shape(QStringLiteral(R"(^(.*) \(([^()]*)\)$)"));
    QList<PortalFilter> filters;
    for (const QString& entry : qtNameFilters(filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = shape.match(entry);
        if (!m.hasMatch())
            continue;
        filters.push_back({m.captured(1), m.captured(2).split(' ', Qt::SkipEmptyParts)});
    }
    return filters;
}

bool portalFileChooserAvailable()
{
    if (gPortalFailed)
        return false;
    static const bool available = [] {
        if (const char* choice = std::getenv("ZETTELINO_FILE_DIALOG"); choice != nullptr && QByteArray(choice) == "qt")
            return false;
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
            return false;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return false;
        QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        ask << kChooser << QStringLiteral("version");
        // The first question may start the portal; a few seconds is its usual start.
        const QDBusMessage reply = bus.call(ask, QDBus::Block, 5000);
        return reply.type() == QDBusMessage::ReplyMessage;
    }();
    return available;
}

PortalAnswer runPortalFileDialog(const FileDialogRequest& r, bool save)
{
    PortalAnswer answer;
    if (!portalFileChooserAvailable())
        return answer;
    registerTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();

    const QString token = QStringLiteral("zettelino%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace('.', '_');
    const QString requestPath = kPath + QStringLiteral("/request/") + sender + '/' + token;

    QVariantMap options;
    options.insert(QStringLiteral("handle_token"), token);
    options.insert(QStringLiteral("modal"), true);
    QList<PortalFilterWire> wire;
    const QList<PortalFilter> filters = portalFilters(r.filter);
    for (const PortalFilter& f : filters) {
        PortalFilterWire w{f.name, {}};
        for (const QString& p : f.patterns)
            w.conditions.push_back({0, p});
        wire.push_back(w);
    }
    if (!wire.isEmpty()) {
        options.insert(QStringLiteral("filters"), QVariant::fromValue(wire));
        options.insert(QStringLiteral("current_filter"), QVariant::fromValue(wire.front()));
    }
    QString folder = QString::fromStdString(r.initialDir);
    const QFileInfo named(QString::fromStdString(r.fileName));
    if (!r.fileName.empty() && named.isAbsolute())
        folder = named.absolutePath();
    if (!folder.isEmpty())
        options.insert(QStringLiteral("current_folder"), folderBytes(folder));
    if (save && !r.fileName.empty())
        options.insert(QStringLiteral("current_name"), named.fileName());

    QWidget* parent = QApplication::activeWindow();
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kChooser,
                                                       save ? QStringLiteral("SaveFile") : QStringLiteral("OpenFile"));
    call << parentWindowId(parent) << QString::fromStdString(r.title.empty() ? (save ? "Speichern unter" : "Öffnen")
                                                                              : r.title)
         << options;

    PortalRequest request;
    // Subscribed before asking, so an answer that comes at once is not missed.
    bus.connect(kService, requestPath, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"),
                &request, SLOT(gotResponse(uint, QVariantMap)));

    QDialog blocker(parent);
    blocker.setAttribute(Qt::WA_DontShowOnScreen);
    blocker.setModal(true);
    request.blocker = &blocker;
    bool failed = false;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), &blocker);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &blocker, [&](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) {
            failed = true;
            blocker.done(QDialog::Rejected);
        } else if (reply.value().path() != requestPath) {
            // An older portal names the request itself.
            bus.connect(kService, reply.value().path(), QStringLiteral("org.freedesktop.portal.Request"),
                        QStringLiteral("Response"), &request, SLOT(gotResponse(uint, QVariantMap)));
        }
    });
    blocker.exec();
    bus.disconnect(kService, requestPath, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"),
                   &request, SLOT(gotResponse(uint, QVariantMap)));
    if (failed) {
        gPortalFailed = true;
        return answer;
    }
    answer.outcome = PortalOutcome::Cancelled;
    if (request.response != 0)
        return answer;
    const QStringList uris = request.results.value(QStringLiteral("uris")).toStringList();
    if (uris.isEmpty() || !QUrl(uris.front()).isLocalFile())
        return answer;
    QString path = QUrl(uris.front()).toLocalFile();
    // The portal's save dialog adds no extension: ours would have.
    const QString suffix = plainSuffix(r.defaultExt);
    if (save && !suffix.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += '.' + suffix;
    answer.outcome = PortalOutcome::Chosen;
    answer.path = path.toStdString();
    if (request.results.contains(QStringLiteral("current_filter"))) {
        PortalFilterWire chosen;
        request.results.value(QStringLiteral("current_filter")).value<QDBusArgument>() >> chosen;
        for (qsizetype i = 0; i < filters.size(); ++i)
            if (filters[i].name == chosen.name)
                answer.chosenFilter = static_cast<int>(i) + 1;
    }
    return answer;
}

} // namespace zt::platform::qt

#include "QtPortalFileDialog.moc"

#include "model/sim_commands.h"

#include "config/cp1251.h"
#include "link/transaction_kind.h"

#include <QStringList>
#include <functional>
#include <map>
#include <tuple>

namespace {

using Args = QStringList;

SimCommandResult fail(const QString& text) {
    return {false, text};
}

SimCommandResult done(const QString& text = {}) {
    return {true, text};
}

// "5,12", "read", "write", "id" ... -> command codes; false on a word it does not know.
bool parseCommands(const QString& list, QSet<int>& out) {
    static const std::map<QString, int> names = {
        {QStringLiteral("id"), 5},        {QStringLiteral("status"), 12},
        {QStringLiteral("clock"), 13},    {QStringLiteral("key"), 14},
        {QStringLiteral("apply"), 15},    {QStringLiteral("restart"), 16},
        {QStringLiteral("password"), 17}, {QStringLiteral("control"), 20},
    };
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int code = item.toInt(&ok);
        if (ok && code >= 0 && code <= 255) {
            out.insert(code);
        } else if (item == QLatin1String("read") || item == QLatin1String("write")) {
            for (int a = 1; a <= kFlashAreaCount; ++a) {
                const auto area = static_cast<FlashArea>(a);
                out.insert(item == QLatin1String("read") ? *flashReadCommand(area)
                                                         : *flashWriteCommand(area));
            }
        } else if (auto it = names.find(item); it != names.end()) {
            out.insert(it->second);
        } else {
            return false;
        }
    }
    return true;
}

SimCommandResult replyFault(SimDevice& d, ReplyFault kind, const Args& args) {
    ReplyFaultRule rule;
    rule.kind = kind;
    for (const QString& a : args) {
        const int eq = a.indexOf(QLatin1Char('='));
        if (eq < 0) {
            if (!parseCommands(a, rule.commands))
                return fail(QStringLiteral("unknown command list: ") + a);
            continue;
        }
        bool ok = false;
        const QString key = a.left(eq);
        const int value = a.mid(eq + 1).toInt(&ok);
        if (!ok || value < 0)
            return fail(QStringLiteral("not a count: ") + a);
        if (key == QLatin1String("after"))
            rule.after = value;
        else if (key == QLatin1String("times"))
            rule.times = value;
        else if (key == QLatin1String("bytes"))
            rule.bytes = value;
        else if (key == QLatin1String("status") && value <= 255)
            rule.status = value;
        else
            return fail(QStringLiteral("unknown setting: ") + a);
    }
    d.with([&](DeviceModel&, FaultSet& f) { f.add(rule); });
    return done();
}

bool number(const QString& text, double& out) {
    bool ok = false;
    out = text.toDouble(&ok);
    return ok;
}

// "N" within 1..count as an index 0..count-1, or -1.
int index(const Args& args, int count) {
    bool ok = false;
    const int n = args.value(0).toInt(&ok);
    return ok && n >= 1 && n <= count ? n - 1 : -1;
}

SimCommandResult idValues(const QString& text, std::array<std::uint32_t, 4>& out) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return fail(QStringLiteral("four numbers separated by commas expected: ") + text);
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        out[i] = parts[i].toUInt(&ok);
        if (!ok)
            return fail(QStringLiteral("not a number: ") + parts[i]);
    }
    return done();
}

SimCommandResult identity(SimDevice& d, const Args& args) {
    SimIdentity id = d.with([](DeviceModel& m, FaultSet&) { return m.identity; });
    for (const QString& a : args) {
        const int eq = a.indexOf(QLatin1Char('='));
        if (eq < 0)
            return fail(QStringLiteral("key=value expected: ") + a);
        const QString key = a.left(eq), value = a.mid(eq + 1);
        std::uint8_t *major = nullptr, *minor = nullptr;
        if (key == QLatin1String("name"))
            id.name = value;
        else if (key == QLatin1String("mod"))
            id.modification = value;
        else if (key == QLatin1String("date"))
            id.date = value;
        else if (key == QLatin1String("country"))
            id.country = value;
        else if (key == QLatin1String("imei"))
            id.imei = value;
        else if (key == QLatin1String("hw"))
            major = &id.hardwareMajor, minor = &id.hardwareMinor;
        else if (key == QLatin1String("fw"))
            major = &id.firmwareMajor, minor = &id.firmwareMinor;
        else if (key == QLatin1String("bl"))
            major = &id.loaderMajor, minor = &id.loaderMinor;
        else if (key == QLatin1String("id") || key == QLatin1String("bound")) {
            const auto r = idValues(value, key == QLatin1String("id") ? id.uniqueId : id.boundId);
            if (!r.ok)
                return r;
        } else
            return fail(QStringLiteral("unknown identity field: ") + key);
        if (major && !ParseSimVersion(value, *major, *minor))
            return fail(QStringLiteral("version like 12.02 expected: ") + value);
    }
    d.with([&id](DeviceModel& m, FaultSet&) { m.identity = id; });
    return done();
}

SimCommandResult input(SimDevice& d, const Args& args) {
    const int i = index(args, DeviceModel::kInputCount);
    const QString what = args.value(1);
    const qint64 now = d.now();
    if (i < 0)
        return fail(QStringLiteral("input N on|off|pulse|value V, N = 1..16"));
    if (what == QLatin1String("on") || what == QLatin1String("off")) {
        const auto bit = static_cast<std::uint16_t>(1u << i);
        d.with([&](DeviceModel& m, FaultSet&) {
            m.live.inputsActive = static_cast<std::uint16_t>(what == QLatin1String("on")
                                                                 ? (m.live.inputsActive | bit)
                                                                 : (m.live.inputsActive & ~bit));
        });
        return done();
    }
    if (what == QLatin1String("pulse")) {
        d.with([&](DeviceModel& m, FaultSet&) { m.simulateInput(i, now); });
        return done();
    }
    bool ok = false;
    const int v = args.value(2).toInt(&ok);
    if (what == QLatin1String("value") && ok && v >= 0 && v <= 4095) {
        d.with([&](DeviceModel& m, FaultSet&) {
            m.live.inputValue[i] = static_cast<std::uint16_t>(v);
        });
        return done();
    }
    return fail(QStringLiteral("input N on|off|pulse|value V, V = 0..4095"));
}

SimCommandResult output(SimDevice& d, const Args& args) {
    const int o = index(args, DeviceModel::kOutputCount);
    const QString what = args.value(1);
    const qint64 now = d.now();
    if (o < 0 || (what != QLatin1String("on") && what != QLatin1String("off") &&
                  what != QLatin1String("pulse")))
        return fail(QStringLiteral("output N on|off|pulse, N = 1..7 (R1 R2 O1..O5)"));
    d.with([&](DeviceModel& m, FaultSet&) {
        if (what == QLatin1String("pulse"))
            m.pulseOutput(o, now);
        else
            m.switchOutput(o, what == QLatin1String("on"));
    });
    return done();
}

SimCommandResult perimeter(SimDevice& d, const Args& args) {
    const int p = index(args, DeviceModel::kPerimeterCount);
    const QString what = args.value(1);
    const qint64 now = d.now();
    if (p < 0 || (what != QLatin1String("arm") && what != QLatin1String("disarm")))
        return fail(QStringLiteral("perimeter N arm|disarm, N = 1..4"));
    d.with([&](DeviceModel& m, FaultSet&) {
        if (what == QLatin1String("arm"))
            m.armPerimeter(p, now);
        else
            m.disarmPerimeter(p);
    });
    return done();
}

SimCommandResult key(SimDevice& d, const Args& args) {
    const QByteArray code = QByteArray::fromHex(args.value(0).toLatin1());
    double seconds = 5;
    if (code.size() != 8 || args.value(0).size() != 16 ||
        (args.size() > 1 && (!number(args[1], seconds) || seconds <= 0)))
        return fail(QStringLiteral("key HEX16 [SECONDS]: 16 hexadecimal digits, byte 0 first"));
    const qint64 now = d.now();
    d.with([&](DeviceModel& m, FaultSet&) {
        m.presentKey(code, now, static_cast<qint64>(seconds * 1000));
    });
    return done();
}

SimCommandResult password(SimDevice& d, const Args& args) {
    const QString what = args.value(0);
    if (args.size() != 1)
        return fail(QStringLiteral("password TEXT|-|refuse|accept"));
    d.with([&](DeviceModel& m, FaultSet&) {
        if (what == QLatin1String("refuse") || what == QLatin1String("accept"))
            m.refusePassword = what == QLatin1String("refuse");
        else
            m.setPassword(what == QLatin1String("-") ? QString() : what);
    });
    return done();
}

SimCommandResult writes(SimDevice& d, const Args& args) {
    const QString what = args.value(0);
    bool ok = true;
    const int status = args.size() > 1 ? args[1].toInt(&ok) : 3;
    if (!ok || status < 1 || status > 255 ||
        (what != QLatin1String("normal") && what != QLatin1String("ignore") &&
         what != QLatin1String("refuse")))
        return fail(QStringLiteral("writes normal|ignore|refuse [STATUS 1..255]"));
    d.with([&](DeviceModel& m, FaultSet&) {
        m.writeBehaviour = what == QLatin1String("refuse")   ? WriteBehaviour::Refuse
                           : what == QLatin1String("ignore") ? WriteBehaviour::Ignore
                                                             : WriteBehaviour::Normal;
        m.refuseStatus = static_cast<std::uint8_t>(status);
    });
    return done();
}

// Sets one live value from a number within [lo, hi]; `special` words map to values.
SimCommandResult liveValue(SimDevice& d, const Args& args, double lo, double hi,
                           const std::map<QString, int>& special,
                           const std::function<void(DeviceModel&, double, bool)>& set,
                           const QString& usage) {
    const QString what = args.value(0);
    if (auto it = special.find(what); it != special.end()) {
        d.with([&](DeviceModel& m, FaultSet&) { set(m, it->second, true); });
        return done();
    }
    double v = 0;
    if (args.size() != 1 || !number(what, v) || v < lo || v > hi)
        return fail(usage);
    d.with([&](DeviceModel& m, FaultSet&) { set(m, v, false); });
    return done();
}

QString state(SimDevice& d) {
    const qint64 now = d.now();
    return d.with([now](DeviceModel& m, FaultSet& f) {
        const DeviceModel::Live& l = m.live;
        QStringList out;
        const SimIdentity& id = m.identity;
        out << QStringLiteral("identity: %1 %2 hw %3.%4 fw %5.%6 imei %7 id %8,%9,%10,%11")
                   .arg(id.name, id.modification)
                   .arg(id.hardwareMajor, 2, 16, QLatin1Char('0'))
                   .arg(id.hardwareMinor, 2, 16, QLatin1Char('0'))
                   .arg(id.firmwareMajor, 2, 16, QLatin1Char('0'))
                   .arg(id.firmwareMinor, 2, 16, QLatin1Char('0'))
                   .arg(id.imei)
                   .arg(id.uniqueId[0])
                   .arg(id.uniqueId[1])
                   .arg(id.uniqueId[2])
                   .arg(id.uniqueId[3]);
        const QByteArray s = m.statusBlock(now);
        out << QStringLiteral("clock %1")
                   .arg(m.controllerTime(now).toString(QStringLiteral("dd.MM.yy hh:mm:ss")));
        out << QStringLiteral("inputs %1 outputs %2 perimeters %3")
                   .arg(static_cast<std::uint8_t>(s[44]) | static_cast<std::uint8_t>(s[45]) << 8,
                        16, 2, QLatin1Char('0'))
                   .arg(static_cast<std::uint8_t>(s[46]), 7, 2, QLatin1Char('0'))
                   .arg(static_cast<std::uint8_t>(s[42]), 8, 2, QLatin1Char('0'));
        out << QStringLiteral("supply %1 V, battery %2, temperature %3 (%4), gsm %5 signal %6, "
                              "balance %7 (%8)")
                   .arg(l.supplyDeciVolts / 10.0, 0, 'f', 1)
                   .arg(l.battery)
                   .arg(l.temperature)
                   .arg(l.temperatureValid ? QStringLiteral("valid") : QStringLiteral("invalid"))
                   .arg(l.gsmState)
                   .arg(l.signal)
                   .arg(l.balance, 0, 'f', 2)
                   .arg(l.balanceValid ? QStringLiteral("valid") : QStringLiteral("invalid"));
        out << QStringLiteral("password %1, %2; writes %3")
                   .arg(m.activePassword().isEmpty() ? QStringLiteral("none")
                                                     : QStringLiteral("set"),
                        m.loggedIn() ? QStringLiteral("logged in")
                                     : QStringLiteral("not logged in"),
                        m.writeBehaviour == WriteBehaviour::Normal   ? QStringLiteral("normal")
                        : m.writeBehaviour == WriteBehaviour::Ignore ? QStringLiteral("ignored")
                                                                     : QStringLiteral("refused"));
        if (m.refusePassword)
            out << QStringLiteral("every password refused");
        const QStringList faults = f.describe();
        out << (faults.isEmpty() ? QStringLiteral("no faults")
                                 : QStringLiteral("faults: ") + faults.join(QStringLiteral("; ")));
        return out.join(QLatin1Char('\n'));
    });
}

using Handler = std::function<SimCommandResult(SimDevice&, const Args&)>;

const std::map<QString, Handler>& handlers() {
    static const std::map<QString, Handler> table = {
        {QStringLiteral("help"), [](SimDevice&, const Args&) { return done(SimCommandHelp()); }},
        {QStringLiteral("status"), [](SimDevice& d, const Args&) { return done(state(d)); }},
        {QStringLiteral("silent"),
         [](SimDevice& d, const Args& a) {
             if (a.value(0) != QLatin1String("on") && a.value(0) != QLatin1String("off"))
                 return fail(QStringLiteral("silent on|off"));
             d.with([&](DeviceModel&, FaultSet& f) { f.silent = a[0] == QLatin1String("on"); });
             return done();
         }},
        {QStringLiteral("unplug"),
         [](SimDevice& d, const Args& a) {
             double s = 0;
             if (!number(a.value(0), s) || s < 0)
                 return fail(QStringLiteral("unplug SECONDS"));
             const qint64 until = d.now() + static_cast<qint64>(s * 1000);
             d.with([&](DeviceModel&, FaultSet& f) { f.unplugUntil = until; });
             return done();
         }},
        {QStringLiteral("noreply"),
         [](SimDevice& d, const Args& a) { return replyFault(d, ReplyFault::NoReply, a); }},
        {QStringLiteral("short"),
         [](SimDevice& d, const Args& a) { return replyFault(d, ReplyFault::Short, a); }},
        {QStringLiteral("badcheck"),
         [](SimDevice& d, const Args& a) { return replyFault(d, ReplyFault::BadCheck, a); }},
        {QStringLiteral("badheader"),
         [](SimDevice& d, const Args& a) { return replyFault(d, ReplyFault::BadHeader, a); }},
        {QStringLiteral("ackstatus"),
         [](SimDevice& d, const Args& a) { return replyFault(d, ReplyFault::Status, a); }},
        {QStringLiteral("clear"),
         [](SimDevice& d, const Args&) {
             d.with([](DeviceModel& m, FaultSet& f) {
                 f.clear();
                 m.refusePassword = false;
                 m.writeBehaviour = WriteBehaviour::Normal;
             });
             return done();
         }},
        {QStringLiteral("password"), password},
        {QStringLiteral("writes"), writes},
        {QStringLiteral("key"), key},
        {QStringLiteral("input"), input},
        {QStringLiteral("output"), output},
        {QStringLiteral("perimeter"), perimeter},
        {QStringLiteral("supply"),
         [](SimDevice& d, const Args& a) {
             return liveValue(
                 d, a, 0, 25.5, {},
                 [](DeviceModel& m, double v, bool) {
                     m.live.supplyDeciVolts = static_cast<std::uint8_t>(v * 10 + 0.5);
                 },
                 QStringLiteral("supply VOLTS (0..25.5)"));
         }},
        {QStringLiteral("battery"),
         [](SimDevice& d, const Args& a) {
             return liveValue(
                 d, a, 0, 100, {{QStringLiteral("test"), 254}, {QStringLiteral("none"), 255}},
                 [](DeviceModel& m, double v, bool) {
                     m.live.battery = static_cast<std::uint8_t>(v);
                 },
                 QStringLiteral("battery PERCENT|test|none"));
         }},
        {QStringLiteral("temp"),
         [](SimDevice& d, const Args& a) {
             return liveValue(
                 d, a, -128, 127, {{QStringLiteral("invalid"), 0}},
                 [](DeviceModel& m, double v, bool special) {
                     m.live.temperatureValid = !special;
                     if (!special)
                         m.live.temperature = static_cast<std::int8_t>(v);
                 },
                 QStringLiteral("temp CELSIUS|invalid"));
         }},
        {QStringLiteral("balance"),
         [](SimDevice& d, const Args& a) {
             return liveValue(
                 d, a, -1e9, 1e9, {{QStringLiteral("invalid"), 0}},
                 [](DeviceModel& m, double v, bool special) {
                     m.live.balanceValid = !special;
                     if (!special)
                         m.live.balance = static_cast<float>(v);
                 },
                 QStringLiteral("balance VALUE|invalid"));
         }},
        {QStringLiteral("gsm"),
         [](SimDevice& d, const Args& a) {
             bool ok1 = false, ok2 = true;
             const int st = a.value(0).toInt(&ok1);
             const int sig = a.size() > 1 ? a[1].toInt(&ok2) : -1;
             if (!ok1 || !ok2 || st < 0 || st > 255 || sig > 31 || (a.size() > 1 && sig < 0))
                 return fail(QStringLiteral("gsm STATE [SIGNAL 0..31]"));
             d.with([&](DeviceModel& m, FaultSet&) {
                 m.live.gsmState = static_cast<std::uint8_t>(st);
                 if (sig >= 0)
                     m.live.signal = static_cast<std::uint8_t>(sig);
             });
             return done();
         }},
        {QStringLiteral("inputflags"),
         [](SimDevice& d, const Args& a) {
             bool ok = false;
             const int v = a.value(0).toInt(&ok, 0);
             if (!ok || v < 0 || v > 3)
                 return fail(
                     QStringLiteral("inputflags 0..3 (bit 0 = status bit 5, bit 1 = bit 6)"));
             d.with([&](DeviceModel& m, FaultSet&) {
                 m.live.inputFlags = static_cast<std::uint8_t>(v << 5);
             });
             return done();
         }},
        {QStringLiteral("identity"), identity},
        {QStringLiteral("foreign-tag"),
         [](SimDevice& d, const Args&) {
             d.with([](DeviceModel& m, FaultSet&) { m.setForeignConfigTag(); });
             return done();
         }},
        {QStringLiteral("restart"),
         [](SimDevice& d, const Args&) {
             d.restartNow();
             return done();
         }},
    };
    return table;
}

} // namespace

SimCommandResult RunSimCommand(SimDevice& device, const QString& line) {
    QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || words[0].startsWith(QLatin1Char('#')))
        return done();
    const QString name = words.takeFirst();
    const auto& table = handlers();
    const auto it = table.find(name);
    if (it == table.end())
        return fail(QStringLiteral("unknown command \"%1\"; \"help\" lists them").arg(name));
    return it->second(device, words);
}

QString SimCommandHelp() {
    return QStringLiteral(
        "Faults:\n"
        "  silent on|off                     answer nothing at all, not even the mode switch\n"
        "  unplug SECONDS                    answer nothing for a while (cable pulled)\n"
        "  noreply [CMDS] [after=N] [times=N]  no reply to these commands\n"
        "  short [CMDS] [bytes=N] [after=N] [times=N]  replies cut by N bytes (default 1)\n"
        "  badcheck [CMDS] [after=N] [times=N]  replies with a wrong check byte\n"
        "  badheader [CMDS] [after=N] [times=N] replies naming another command\n"
        "  ackstatus [CMDS] [status=N] [after=N] [times=N]  acknowledgements (of commands\n"
        "                                    and block writes) carry status N (default 3)\n"
        "      CMDS: command codes or names separated by commas (id=5, status=12,\n"
        "      clock=13, key=14, apply=15, restart=16, password=17, control=20,\n"
        "      read = every block read, write = every block write); none = all.\n"
        "      after=N lets N matching replies pass first; times=N spoils N replies.\n"
        "  password refuse|accept            refuse every password / check it again\n"
        "  writes refuse [STATUS]            refuse block writes with STATUS (default 3)\n"
        "  writes ignore                     acknowledge block writes but keep nothing\n"
        "  writes normal\n"
        "  clear                             remove every fault\n"
        "Controller:\n"
        "  password TEXT|-                   the controller's password ('-' = none)\n"
        "  identity KEY=VALUE ...            name= mod= hw=12.02 fw=01.02 bl=01.05 date=\n"
        "                                    country= imei= id=A,B,C,D bound=A,B,C,D\n"
        "  foreign-tag                       settings carry another configuration tag\n"
        "  restart                           restart now (silent for a while)\n"
        "Events:\n"
        "  key HEX16 [SECONDS]               present a touch key (default 5 s)\n"
        "  input N on|off|pulse|value V      input 1..16 active, passive, briefly active,\n"
        "                                    or its measured value 0..4095\n"
        "  inputflags 0..3                   validity bits 5 and 6 of status byte 41\n"
        "  output N on|off|pulse             output 1..7 (R1 R2 O1..O5)\n"
        "  perimeter N arm|disarm            perimeter 1..4\n"
        "  supply VOLTS                      main supply, e.g. 12.6\n"
        "  battery PERCENT|test|none\n"
        "  temp CELSIUS|invalid\n"
        "  gsm STATE [SIGNAL]                GSM state index, signal 0..31\n"
        "  balance VALUE|invalid\n"
        "Other:\n"
        "  status                            the live state, identity and faults\n"
        "  help                              this list\n");
}

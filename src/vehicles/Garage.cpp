#include "Garage.h"

#include "base/AtomicFile.h"
#include "base/FailureText.h"
#include "base/LineReader.h"
#include "base/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace tankeli {
namespace {

const QString vehiclesFolderName = QStringLiteral("Ajoneuvot");
const QString choiceFileName = QStringLiteral("Ajoneuvovalinta.txt");

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

QByteArray scratchBeside(const QString &file)
{
    return encoded(QFileInfo(file).path()) + "/.tallennus";
}

// Makes a folder with the permissions its siblings get: the user's own only, for the data
// of an installed program; otherwise as the umask gives.
Done makeFolder(const QString &path, mode_t mode)
{
    if (::mkdir(encoded(path).constData(), mode) == 0 || (errno == EEXIST && QFileInfo(path).isDir()))
        return {};
    return Done::failure(QStringLiteral("Kansiota %1 ei voitu tehdä: %2.").arg(shownPath(path), systemErrorText(errno)));
}

} // namespace

Garage::Garage(ProgramFolders home)
    : m_home(std::move(home))
{
    m_vehicles.append({{firstVehicleName, Energy::Petrol, QString()}, m_home.dataRoot()});
}

QString Garage::vehiclesFolder() const
{
    return m_home.dataRoot() + QLatin1Char('/') + vehiclesFolderName;
}

QString Garage::vehicleFile(int index) const
{
    return folders(index).dataFolder() + QLatin1Char('/') + vehicleFileName;
}

QString Garage::choiceFile() const
{
    return m_home.dataFolder() + QLatin1Char('/') + choiceFileName;
}

ProgramFolders Garage::folders(int index) const
{
    return index == 0 ? m_home : m_home.withDataRoot(m_vehicles[index].root);
}

QStringList Garage::load()
{
    QStringList problems;
    m_vehicles.resize(1);
    m_current = 0;
    const Outcome<VehicleInfo> first = readVehicleFile(vehicleFile(0), {firstVehicleName, Energy::Petrol, QString()});
    if (first)
        m_vehicles[0].info = *first;
    else
        problems << first.error();

    const QDir others(vehiclesFolder());
    for (const QString &name : others.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        const QString root = others.filePath(name);
        if (!QFileInfo(root + QStringLiteral("/Data")).isDir())
            continue;
        // The folder's name is the vehicle's, also after the folder was renamed by hand.
        const VehicleInfo fallback{name, Energy::Petrol, QString()};
        Outcome<VehicleInfo> read = readVehicleFile(root + QStringLiteral("/Data/") + vehicleFileName, fallback);
        if (!read)
            problems << read.error();
        VehicleInfo info = read ? *read : fallback;
        info.name = name;
        m_vehicles.append({info, root});
    }

    const ReadableFile choice(encoded(choiceFile()));
    if (choice.isOpen()) {
        LineReader reader(choice.descriptor(), maxNameBytes, maxNameBytes + 2);
        QByteArray line;
        if (reader.next(line) == LineReader::Line::Text) {
            const QString chosen = QString::fromUtf8(line);
            for (int i = 0; i < count(); ++i)
                if (m_vehicles[i].info.name == chosen)
                    m_current = i;
        }
    }
    return problems;
}

Done Garage::choose(int index)
{
    if (index < 0 || index >= count())
        return Done::failure(QStringLiteral("Ajoneuvoa ei ole."));
    m_current = index;
    // A user who never chose another vehicle gets no file for it.
    if (index == 0 && !QFileInfo::exists(choiceFile()))
        return {};
    const Done written = replaceOwnFile(encoded(choiceFile()), scratchBeside(choiceFile()),
                                        m_vehicles[index].info.name.toUtf8() + "\r\n");
    if (!written)
        return Done::failure(QStringLiteral("Valittua ajoneuvoa ei voitu muistaa seuraavaan käynnistykseen: "
                                            "tiedostoa %1 ei voitu kirjoittaa: %2.").arg(shownPath(choiceFile()), written.error()));
    return {};
}

std::optional<QString> Garage::nameProblem(const QString &name, std::optional<int> renaming) const
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Anna ajoneuvolle nimi.");
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("Ajoneuvon nimi ei voi alkaa pisteellä, koska pisteellä alkavat kansiot ovat piilossa.");
    if (name.contains(QLatin1Char('/')))
        return QStringLiteral("Ajoneuvon nimessä ei voi olla merkkiä /.");
    if (std::any_of(name.cbegin(), name.cend(), isControl))
        return QStringLiteral("Ajoneuvon nimessä ei voi olla ohjausmerkkejä, kuten sarkainta tai rivinvaihtoa.");
    if (name.toUtf8().size() > maxNameBytes)
        return QStringLiteral("Ajoneuvon nimi on liian pitkä: nimessä voi olla enintään %1 tavua (ä, ö ja å "
                              "ovat kaksi tavua kukin), ja tässä on %2.").arg(maxNameBytes).arg(name.toUtf8().size());
    for (int i = 0; i < count(); ++i)
        if (i != renaming && m_vehicles[i].info.name.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Ajoneuvo nimeltä \"%1\" on jo olemassa. Anna toinen nimi.")
                .arg(elideMiddle(m_vehicles[i].info.name));
    return std::nullopt;
}

Outcome<int> Garage::add(const VehicleInfo &info, const Settings &startingSettings)
{
    if (const auto problem = nameProblem(info.name))
        return Outcome<int>::failure(*problem);
    const mode_t mode = m_home.perUser() ? 0700 : 0777;
    if (const Done made = makeFolder(vehiclesFolder(), mode); !made)
        return Outcome<int>::failure(made.error());
    // Made whole under a hidden name, then given its own: a vehicle is never half there.
    QByteArray temporary = encoded(vehiclesFolder()) + "/.uusi-XXXXXX";
    if (!::mkdtemp(temporary.data()))
        return Outcome<int>::failure(QStringLiteral("Ajoneuvoa ei voitu tehdä kansioon %1: %2.")
                                         .arg(shownPath(vehiclesFolder()), systemErrorText(errno)));
    const QString made = QFile::decodeName(temporary);
    const QString target = vehiclesFolder() + QLatin1Char('/') + info.name;
    Done done = makeFolder(made + QStringLiteral("/Data"), mode);
    if (done)
        done = makeFolder(made + QStringLiteral("/stat"), mode);
    if (done)
        done = SettingsFile(made + QStringLiteral("/Data/Arvot.txt")).write(startingSettings);
    if (done)
        done = writeVehicleFile(made + QStringLiteral("/Data/") + vehicleFileName, info);
    if (done && ::rename(temporary.constData(), encoded(target).constData()) != 0)
        done = Done::failure(QStringLiteral("Ajoneuvoa %1 ei voitu tehdä: %2.")
                                 .arg(elideMiddle(info.name),
                                      errno == EEXIST || errno == ENOTEMPTY
                                          ? QStringLiteral("kansio %1 on jo olemassa").arg(shownPath(target))
                                          : systemErrorText(errno)));
    if (!done) {
        QDir(made).removeRecursively(); // only what was just made here
        return Outcome<int>::failure(done.error());
    }
    const QString chosen = m_vehicles[m_current].info.name;
    m_vehicles.append({info, target});
    std::sort(m_vehicles.begin() + 1, m_vehicles.end(), [](const Vehicle &a, const Vehicle &b) {
        return a.info.name.compare(b.info.name, Qt::CaseInsensitive) < 0;
    });
    for (int i = 0; i < count(); ++i)
        if (m_vehicles[i].info.name == chosen)
            m_current = i;
    for (int i = 0; i < count(); ++i)
        if (m_vehicles[i].info.name == info.name)
            return i;
    return 0;
}

Done Garage::edit(int index, const QString &name, Energy energy)
{
    if (const auto problem = nameProblem(name, index))
        return Done::failure(*problem);
    Vehicle &vehicle = m_vehicles[index];
    if (index > 0 && name != vehicle.info.name) {
        const QString target = vehiclesFolder() + QLatin1Char('/') + name;
        if (QFileInfo::exists(target) && name.compare(vehicle.info.name, Qt::CaseInsensitive) != 0)
            return Done::failure(QStringLiteral("Ajoneuvoa ei voitu nimetä uudelleen: kansio %1 on jo olemassa.")
                                     .arg(shownPath(target)));
        if (::rename(encoded(vehicle.root).constData(), encoded(target).constData()) != 0)
            return Done::failure(QStringLiteral("Ajoneuvoa ei voitu nimetä uudelleen: %1.").arg(systemErrorText(errno)));
        vehicle.root = target;
    }
    const VehicleInfo before = vehicle.info;
    vehicle.info.name = name;
    vehicle.info.energy = energy;
    const Done written = writeVehicleFile(vehicleFile(index), vehicle.info);
    if (!written && index == 0)
        vehicle.info = before; // the first vehicle's name lives in its file alone
    if (index == m_current && before.name != vehicle.info.name) {
        const Done remembered = choose(index);
        if (written && !remembered)
            return remembered;
    }
    return written;
}

Done Garage::remove(int index)
{
    if (index <= 0 || index >= count())
        return Done::failure(QStringLiteral("Ensimmäistä ajoneuvoa ei voi poistaa: sen tiedostot ovat ohjelman omat."));
    const Vehicle vehicle = m_vehicles[index];
    if (const Done trashed = moveToTrash(vehicle.root); !trashed)
        return Done::failure(QStringLiteral("Ajoneuvoa %1 ei voitu siirtää roskakoriin, joten sitä ei poistettu: %2. "
                                            "Sen tiedostot ovat kansiossa %3.")
                                 .arg(elideMiddle(vehicle.info.name), trashed.error(), shownPath(vehicle.root)));
    const bool wasCurrent = index == m_current;
    m_vehicles.removeAt(index);
    if (wasCurrent)
        return choose(0);
    if (m_current > index)
        --m_current;
    return {};
}

Done Garage::rememberConsumption(int index, const QString &consumption)
{
    VehicleInfo &info = m_vehicles[index].info;
    if (info.lastConsumption == consumption)
        return {};
    info.lastConsumption = consumption;
    return writeVehicleFile(vehicleFile(index), info);
}

} // namespace tankeli

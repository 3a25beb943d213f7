#include "CRecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

QString EntryName(const std::string& strFormat, int nNumber)
{
    char name[64];
    std::snprintf(name, sizeof name, strFormat.c_str(), nNumber);
    return QString::fromLatin1(name);
}

}  // namespace

CRecentFileList::CRecentFileList(int nSize, std::string strSection, std::string strEntryFormat)
    : m_nSize(nSize), m_strSection(std::move(strSection)), m_strEntryFormat(std::move(strEntryFormat))
{
}

void CRecentFileList::Add(const std::string& strPath)
{
    const QString absolute = QFileInfo(QString::fromStdString(strPath)).absoluteFilePath();
    const std::string strEntry = QDir::cleanPath(absolute).toStdString();
    std::erase(m_files, strEntry);
    m_files.insert(m_files.begin(), strEntry);
    if (GetSize() > m_nSize)
        m_files.resize(static_cast<std::size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex)
{
    m_files.erase(m_files.begin() + nIndex);
}

std::string CRecentFileList::GetMenuText(int nIndex, int nMaxChars) const
{
    // A menu takes '&' as the mark of its mnemonic; a path shows its own doubled.
    const QString path = QString::fromStdString(AbbreviatePath(m_files.at(nIndex), nMaxChars));
    const QString shown = QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
    return "&" + std::to_string(nIndex + 1) + " " + shown.toStdString();
}

void CRecentFileList::ReadList(QSettings& settings)
{
    m_files.clear();
    settings.beginGroup(QString::fromStdString(m_strSection));
    for (int i = 1; i <= m_nSize; ++i) {
        const QString value = settings.value(EntryName(m_strEntryFormat, i)).toString();
        if (!value.isEmpty())
            m_files.push_back(value.toStdString());
    }
    settings.endGroup();
}

void CRecentFileList::WriteList(QSettings& settings) const
{
    settings.beginGroup(QString::fromStdString(m_strSection));
    for (int i = 1; i <= m_nSize; ++i) {
        if (i <= GetSize())
            settings.setValue(EntryName(m_strEntryFormat, i), QString::fromStdString(m_files[i - 1]));
        else
            settings.remove(EntryName(m_strEntryFormat, i));
    }
    settings.endGroup();
}

std::string AbbreviatePath(const std::string& strPath, int nMaxChars)
{
    const QString path = QString::fromStdString(strPath);
    if (path.size() <= nMaxChars)
        return strPath;

    const QString separator = QStringLiteral("/");
    const QString ellipsis = QStringLiteral("...");
    QStringList parts = path.split(separator);
    const QString fileName = parts.takeLast();
    if (parts.isEmpty() || fileName.size() + 1 + ellipsis.size() + parts.front().size() + 1 > nMaxChars)
        return fileName.toStdString();

    // Keep the root and as many of the last folders as fit.
    const QString root = parts.takeFirst();
    QString tail = separator + fileName;
    while (!parts.isEmpty()) {
        const QString candidate = separator + parts.last() + tail;
        if (root.size() + separator.size() + ellipsis.size() + candidate.size() > nMaxChars)
            break;
        tail = candidate;
        parts.removeLast();
    }
    return (root + separator + ellipsis + tail).toStdString();
}

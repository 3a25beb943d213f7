#include "CRecentFileList.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

QString EntryName(const std::string& strFormat, int nNumber)
{
    char name[64];
    std::snprintf(name, sizeof name, strFormat.c_str(), nNumber);
    return QString::fromLatin1(name);
}

// The absolute, cleaned form of strPath, byte for byte: a file name need not
// be UTF-8, and a QString would lose the bytes that are not.
std::string AbsoluteCleanPath(const std::string& strPath)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(strPath, error);
    if (error)
        path = strPath;
    std::string strClean = path.lexically_normal().generic_string();
    if (strClean.size() > 1 && strClean.back() == '/')
        strClean.pop_back();
    return strClean;
}

// A path is kept as text while it is UTF-8, so the settings stay readable
// and earlier entries read as before; any other path as its bytes.
QVariant SettingsValue(const std::string& strPath)
{
    const QByteArray bytes = QByteArray::fromStdString(strPath);
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() == bytes)
        return text;
    return bytes;
}

std::string PathOfSettingsValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

}  // namespace

CRecentFileList::CRecentFileList(int nSize, std::string strSection, std::string strEntryFormat)
    : m_nSize(nSize), m_strSection(std::move(strSection)), m_strEntryFormat(std::move(strEntryFormat))
{
}

void CRecentFileList::Add(const std::string& strPath)
{
    const std::string strEntry = AbsoluteCleanPath(strPath);
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
        std::string strPath = PathOfSettingsValue(settings.value(EntryName(m_strEntryFormat, i)));
        if (!strPath.empty())
            m_files.push_back(std::move(strPath));
    }
    settings.endGroup();
}

void CRecentFileList::WriteList(QSettings& settings) const
{
    settings.beginGroup(QString::fromStdString(m_strSection));
    for (int i = 1; i <= m_nSize; ++i) {
        if (i <= GetSize())
            settings.setValue(EntryName(m_strEntryFormat, i), SettingsValue(m_files[i - 1]));
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

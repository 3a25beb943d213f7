// The recent-file list of the File menu: the most recent file first, at most
// a fixed number of entries, kept in the settings under one section with the
// values "File1", "File2", ...
#pragma once

#include <string>
#include <vector>

class QSettings;

class CRecentFileList {
public:
    CRecentFileList(int nSize, std::string strSection, std::string strEntryFormat);

    int GetSize() const { return static_cast<int>(m_files.size()); }
    // How many entries the list keeps, and the File menu shows.
    int GetMaxSize() const { return m_nSize; }
    const std::string& operator[](int nIndex) const { return m_files.at(nIndex); }

    // Puts strPath first, made absolute and clean with its bytes kept (a
    // file name need not be UTF-8), dropping an earlier entry for the same
    // file and the oldest entry when the list is full.
    void Add(const std::string& strPath);
    void Remove(int nIndex);

    // The menu text of an entry: "&1 " and the path, abbreviated to at most
    // nMaxChars characters by leaving out folders in the middle, with every
    // '&' of the path doubled so that the menu shows it.
    std::string GetMenuText(int nIndex, int nMaxChars = 30) const;

    // A UTF-8 path is stored as text, any other as bytes; both read back.
    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

private:
    int m_nSize;
    std::string m_strSection;
    std::string m_strEntryFormat;  // printf format with one %d, counting from 1
    std::vector<std::string> m_files;
};

// strPath shortened to at most nMaxChars characters: the root, "...", and as
// many trailing folders as fit before the file name; the file name alone when
// nothing else fits.
std::string AbbreviatePath(const std::string& strPath, int nMaxChars);

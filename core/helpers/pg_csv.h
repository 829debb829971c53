#pragma once
// TPgCSV: writes the records of a dataset to a delimited text file and reads such a file
// into a dataset. The file is Windows-1250 with CR LF line ends, without a header line.
//
// The map (CSVMap) lists the values of a line, separated by Seprator: an item starting
// with FieldIndicator names a field (the rest of the item), any other item is literal text;
// an empty map stands for every field of the dataset in its order.
//
// Values are the fields' edit texts (Field::text) and are read back through Field::setText.
// With UseDelimiter each value is enclosed in Delimiter. Without it, a value holding the
// separator, '"' or a line break is enclosed in '"' with its inner '"' doubled, so that it
// reads back as one value.
#include <QChar>
#include <QString>
#include <QStringList>

#include <functional>

namespace tarix::db {
class DataSet;
}

namespace tarix::MyConsts {

class TPgCSV {
public:
    db::DataSet *Dataset = nullptr;
    QString CSVMap;
    QString CSVFile;
    QChar Seprator = u';';
    QChar FieldIndicator = u'$';
    bool AutoOpen = false;
    QString IgnoreString;
    QChar Delimiter = u'"';
    bool EmptyTable = true;
    bool UseDelimiter = false;
    bool SilentExport = false;

    std::function<void()> BeforeExport;
    std::function<void()> AfterExport;
    std::function<void()> BeforeImport;
    std::function<void()> AfterImport;
    // Record number from 0.
    std::function<void(TPgCSV &, int)> ExportProgress;
    std::function<void(TPgCSV &, int)> ImportProgress;

    // Writes Dataset to CSVFile (a new file with EmptyTable, else appended). Throws
    // shell::EFileCreateError / EWriteError or the codepage error of a character Windows-1250
    // cannot hold; a failed new file leaves the earlier one as it was.
    void DataSetToCSV();
    // Appends a record per line of CSVFile to Dataset. Throws shell::EFileOpenError when the
    // file cannot be read; a value a field refuses passes its error on (the record being
    // appended is cancelled).
    void CSVToDataSet();

    // The map in effect: CSVMap, or the default map of Dataset when it is blank.
    QString csvMap() const;
    // The items of a map (split at Seprator).
    QStringList csvItems(const QString &map) const;
    // One line's values as written (without its line end).
    QString riadok(const QStringList &values) const;
    // The values of the file's text, line by line.
    QList<QStringList> csvValues(const QString &text) const;
};

} // namespace tarix::MyConsts

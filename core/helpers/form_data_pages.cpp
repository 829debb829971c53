#include "core/helpers/form_data_pages.h"

#include "core/helpers/output_file.h"
#include "platform/shell/atomic_file.h"

#include <algorithm>

namespace tarix::MyConsts {

int formDataPageCount(qsizetype records, int recordsPerPage)
{
    const int perPage = std::max(1, recordsPerPage);
    const int n = int(records);
    return std::max(1, (n + perPage - 1) / perPage);
}

QString formDataPageFile(const QString &stem, int page)
{
    return stem + QStringLiteral("_str") + QString::number(page) + QStringLiteral(".xfdf");
}

void xfdfBegin(XmlText &x)
{
    x.Xml_riadok(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    x.Xml_riadok(QStringLiteral("<xfdf xmlns=\"http://ns.adobe.com/xfdf/\" xml:space=\"preserve\">"));
    x.Xml_zaciatok(QStringLiteral("fields"));
}

void xfdfEnd(XmlText &x, const QString &form)
{
    x.Xml_koniec(QStringLiteral("fields"));
    x.Xml_prvy_atribut(QStringLiteral("href"), form);
    x.Xml_prazdny_element(QStringLiteral("f"));
    x.Xml_koniec(QStringLiteral("xfdf"));
}

QByteArray formDataPage(const FormDataPages &pages, int page)
{
    const int perPage = std::max(1, pages.recordsPerPage);
    XmlText x;
    xfdfBegin(x);
    if (pages.pageFields)
        for (const FormField &f : pages.pageFields(page))
            x.Xml_pole(f.name, f.value);
    const qsizetype first = qsizetype(page - 1) * perPage;
    for (int row = 0; row < perPage && first + row < pages.records.size(); ++row)
        for (const FormField &f : pages.records.at(first + row))
            x.Xml_pole(pages.fieldName ? pages.fieldName(f.name, row) : f.name + QString::number(row), f.value);
    xfdfEnd(x, pages.form);
    return x.bytes();
}

FormDataPagesResult writeFormDataPages(const FormDataPages &pages)
{
    FormDataPagesResult result;
    result.pages = formDataPageCount(pages.records.size(), pages.recordsPerPage);
    std::vector<OutputFiles> files;
    files.reserve(size_t(result.pages));
    for (int page = 1; page <= result.pages; ++page)
        files.push_back({.input = pages.form,
                         .output = pages.pageFile ? pages.pageFile(page) : formDataPageFile(pages.stem, page)});
    Kontrola_suborov(files);
    shell::AtomicFileSet written;
    for (int page = 1; page <= result.pages; ++page) {
        const OutputFiles &f = files[size_t(page - 1)];
        if (!f.writeAllowed)
            continue;
        written.add(f.output, formDataPage(pages, page));
        result.written << f.output;
    }
    written.commit();
    result.lastFile = files.back().output;
    return result;
}

} // namespace tarix::MyConsts

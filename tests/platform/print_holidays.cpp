// Prints the holidays of a range of years, one "YYYY-MM-DD name" line each, for the comparison with an
// independent holiday list.
#include <QCoreApplication>
#include <QTextStream>

#include "platform/core/Holidays.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: print_holidays first-year last-year\n";
        return 2;
    }
    QTextStream out(stdout);
    for (int year = args[1].toInt(); year <= args[2].toInt(); ++year) {
        const auto holidays = Holidays::OfYear(year);
        if (!holidays) {
            out << year << " unknown\n";
            continue;
        }
        for (const Holidays::Holiday& h : *holidays) {
            out << h.day.ToQDate().toString(Qt::ISODate) << ' ' << h.name << '\n';
        }
    }
    return 0;
}

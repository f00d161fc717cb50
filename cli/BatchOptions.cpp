#include "cli/BatchOptions.h"

#include "files/FileKind.h"

#include <algorithm>
#include <ostream>

namespace zt::cli {

bool BatchOptions::letterInput() const
{
    if (std::any_of(outputs.begin(), outputs.end(), [](const BatchOutput& o) { return o.lettersOnly(); }))
        return true;
    if (std::any_of(outputs.begin(), outputs.end(), [](const BatchOutput& o) { return o.reportsOnly(); }))
        return false;
    return !outputs.empty() && files::LooksLikeLetterFile(input);
}

BatchOptions parseBatchOptions(const std::vector<std::string>& args)
{
    BatchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--printers") {
            options.listPrinters = true;
        } else if (const TBatchOutputInfo* output = BatchOutputByOption(arg)) {
            const bool given = i + 1 < args.size() && !args[i + 1].empty();
            switch (output->argument) {
            case TOutputArgument::None:
                options.outputs.push_back({output->kind, {}});
                break;
            case TOutputArgument::OptionalPrinter: {
                // The printer's name, when one follows the input file.
                std::string printer;
                if (!options.input.empty() && i + 1 < args.size() && !args[i + 1].starts_with("-"))
                    printer = args[++i];
                options.outputs.push_back({output->kind, printer});
                break;
            }
            case TOutputArgument::File:
            case TOutputArgument::Folder:
                if (!given)
                    options.errors.push_back(arg + (output->argument == TOutputArgument::File ? " braucht eine Datei"
                                                                                               : " braucht einen Ordner"));
                else
                    options.outputs.push_back({output->kind, args[++i]});
                break;
            }
        } else if (arg == "--merge") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                options.errors.push_back("--merge braucht eine Adressliste");
            else
                options.mergeList = args[++i];
        } else if (arg.starts_with("-") && arg != "-") {
            options.errors.push_back("unbekannte Option: " + arg);
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            options.errors.push_back("unerwartetes Argument: " + arg);
        }
    }
    const auto any = [&](bool (BatchOutput::*pred)() const) {
        return std::any_of(options.outputs.begin(), options.outputs.end(),
                           [pred](const BatchOutput& o) { return (o.*pred)(); });
    };
    if (any(&BatchOutput::lettersOnly) && any(&BatchOutput::reportsOnly))
        options.errors.push_back("--text, --zlw, --qrp, --mail und --pdf-plain lesen eine Kurzmitteilung, "
                                 "--info eine Berichtsdatei; sie lassen sich nicht mischen");
    const bool merging = !options.mergeList.empty();
    for (const BatchOutput& o : options.outputs) {
        const TBatchOutputInfo& info = BatchOutputInfo(o.kind);
        if (merging && !info.inMerge) {
            options.errors.push_back(
                "ein Serienbrief (--merge) schreibt nur --pdf, --pdf-plain, --pdf-each, --print und --qrp");
            break;
        }
        if (!merging && info.mergeOnly) {
            options.errors.push_back("--pdf-each gehört zu einem Serienbrief (--merge)");
            break;
        }
    }
    if (!options.help && !options.version && options.errors.empty() &&
        !(options.listPrinters && options.input.empty() && options.outputs.empty())) {
        if (options.input.empty())
            options.errors.push_back("keine Eingabedatei angegeben");
        else if (options.outputs.empty() && !options.listPrinters)
            options.errors.push_back("keine Ausgabe verlangt");
    }
    return options;
}

std::string batchUsage()
{
    return "Aufruf: zettelino-print BRIEF.ZLW BRIEF-AUSGABE...\n"
           "        zettelino-print BERICHT.QRP BERICHT-AUSGABE...\n"
           "        zettelino-print BRIEF.ZLW --merge ADRESSEN SERIENBRIEF-AUSGABE...\n"
           "        zettelino-print --printers\n"
           "        zettelino-print --help | --version\n"
           "\n"
           "Liest eine Kurzmitteilung (.ZLW), wie das Brieffenster sie öffnet, oder eine\n"
           "Berichtsdatei (.QRP) und schreibt der Reihe nach, was verlangt wird. Sonst\n"
           "wird nichts geschrieben.\n"
           "\n"
           "Ausgaben einer Kurzmitteilung:\n"
           "  --text DATEI   der Klartext, den der Befehl \"Editor\" in _zlwmitt.txt schreibt\n"
           "  --zlw DATEI    die Briefdatei, die \"Speichern\" für den geöffneten Brief schreibt\n"
           "  --qrp DATEI    die Seiten der Vorschau, wie ihr \"Bericht speichern\" sie schreibt\n"
           "  --mail         das PDF des Briefs als Anlage einer neuen Nachricht im\n"
           "                 E-Mail-Programm (über xdg-email), Betreff die erste Betreffzeile\n"
           "  --pdf-plain DATEI\n"
           "                 das einfache PDF des Briefs, ohne Archiv-Kennung (PDF/A) und ohne\n"
           "                 Struktur für Bildschirmleser\n"
           "\n"
           "Ausgaben einer Berichtsdatei:\n"
           "  --info         gibt \"Seiten: N\", \"gepackt: ja|nein\" und je Seite eine Zeile\n"
           "                 \"Seite K: W x H px, B Bytes, R Datensätze\" aus\n"
           "\n"
           "Ausgaben beider (die gedruckten Seiten eines Briefs oder die einer Berichtsdatei):\n"
           "  --png ORDNER   jede Seite als ORDNER/page-001.png, ... mit 96 dpi, ein\n"
           "                 Bildpunkt je Geräteeinheit (ORDNER wird bei Bedarf angelegt)\n"
           "  --pdf DATEI    ein PDF: für einen Brief, was \"Bericht speichern\" in seiner\n"
           "                 Vorschau für einen .PDF-Namen schreibt, ein Archiv-PDF (PDF/A-2u)\n"
           "                 mit Struktur für Bildschirmleser (PDF/UA-1); lässt sich eine\n"
           "                 Schrift nicht einbetten, ein PDF ohne diese Kennung und eine\n"
           "                 Warnung mit dem Grund; für eine Berichtsdatei ihre\n"
           "                 aufgezeichneten Seiten, jede in ihrem Papierformat, Text bleibt Text\n"
           "  --print [DRUCKER]\n"
           "                 druckt auf DRUCKER (ohne Namen auf dem Standarddrucker): was\n"
           "                 \"Drucken\" für einen Brief druckt, die Seiten eines Berichts\n"
           "\n"
           "Serienbrief (ein Brief an jeden Empfänger einer Adressliste):\n"
           "  --merge LISTE  die Adressliste: CSV mit Kopfzeile (Trennzeichen ; , oder Tab,\n"
           "                 UTF-8 oder Windows-1252) oder vCard (2.1, 3.0, 4.0). Platzhalter\n"
           "                 «Spalte» oder {Spalte} in den Texten des Briefs nennen Spalten;\n"
           "                 ist die Anschrift leer, kommt sie aus dem Datensatz\n"
           "  --pdf DATEI    alle Briefe in einem PDF, jeder ab einer neuen Seite und ein\n"
           "                 Teil des Archiv-PDFs für sich\n"
           "  --pdf-plain DATEI  alle Briefe in einem einfachen PDF\n"
           "  --pdf-each ORDNER\n"
           "                 ein PDF je Empfänger, benannt nach Name und Vorname\n"
           "  --print [DRUCKER]  alle Briefe in einem Druckauftrag\n"
           "  --qrp DATEI    alle Seiten als Berichtsdatei für die Vorschau\n"
           "\n"
           "Weitere Befehle:\n"
           "  --printers     listet die installierten Drucker, einen je Zeile; die Zeile des\n"
           "                 Standarddruckers beginnt mit \"* \", die anderen mit zwei Leerzeichen\n"
           "  -h, --help     zeigt diese Hilfe und endet\n"
           "  --version      zeigt die Version und endet\n"
           "\n"
           "Rückgabewert: 0 erledigt, 2 falscher Aufruf, 3 die Kurzmitteilung ist beschädigt\n"
           "(die Meldung des Fensters auf der Standardfehlerausgabe), 4 das System hat\n"
           "versagt: eine Datei ließ sich nicht öffnen, lesen oder schreiben, oder der\n"
           "Drucker hat versagt (mit dem Grund), 5 die Datei ist keine lesbare\n"
           "Berichtsdatei (sie ist beschädigt), 6 kein Drucker installiert oder der genannte\n"
           "Drucker existiert nicht, 7 ein interner Fehler des Programms, 8 die Adressliste\n"
           "eines Serienbriefs ist nicht lesbar oder passt nicht zum Brief (ein Platzhalter\n"
           "ohne Spalte, eine Anschrift über fünf Zeilen).\n";
}

std::string batchVersion()
{
    return std::string("zettelino-print ") + ZT_VERSION + "\n";
}

std::optional<int> answerWithoutRunning(const BatchOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.help) {
        out << batchUsage();
        return kExitDone;
    }
    if (options.version) {
        out << batchVersion();
        return kExitDone;
    }
    if (options.errors.empty())
        return std::nullopt;
    for (const auto& error : options.errors)
        err << "zettelino-print: " << error << '\n';
    err << batchUsage();
    return kExitUsage;
}

} // namespace zt::cli

// The program's message table: every text the user sees, by number. The
// Italian text of message n is entry n, the English one entry n + 200.
#include <map>
#include <string>

#include "app/Messages.h"

namespace {

struct MsgPair {
    int n;
    const char* it;
    const char* en;
};

// Texts with a "_" get a word (usually a file name) in place of it.
const MsgPair kMessages[] = {
    {2, "&File", "&File"},
    {3, "&Visualizza", "&View"},
    {4, "Fi&nestra", "&Window"},
    {6, "&Apri Arr", "&Open Arr"},
    {7, "&Esci", "E&xit"},
    {8, "&Chiudi", "&Close"},
    {9, "&Sovrapponi", "&Cascade"},
    {11, "Trasmissione Style", "Loading Style"},
    {12, "Trasmissione Arrangement", "Loading Arrangement"},
    {13, "Trasmissione Program", "Loading Program"},
    {14, "Errore di lettura _", "Error reading _"},
    {15, "File assente", "File not found"},
    {16, "Elaborazione file Style _", "Processing Style file _"},
    {17, "Elaborazione di _", "Processing _"},
    {18, "Errore di apertura del dispositivo MIDI di uscita", "Error opening Output MIDI Device"},
    {19, "Errore di apertura del dispositivo MIDI di ingresso", "Error opening Input MIDI Device"},
    {20, "Errore di trasmissione MIDI", "Error sending MIDI data"},
    {21, "Errore di chiusura del dispositivo MIDI di uscita", "Error closing Output MIDI Device"},
    {22, "Errore di chiusura del dispositivo MIDI di ingresso", "Error closing Input MIDI Device"},
    {23, "Velmora \xC3\xA8 gi\xC3\xA0 in esecuzione", "Velmora is already running"},
    {24, "Disco non pronto: _", "Disk not ready: _"},
    {25, "Errore di lettura del disco: _", "Disk read error: _"},
    {26, "Disco pieno: _", "Disk full: _"},
    {27, "Percorso inesistente: _", "Path not found: _"},
    {28, "Errore di ingresso/uscita della periferica: _", "Device I/O error: _"},
    {29, "Accesso negato: _", "Access denied: _"},
    {30, "Informazioni su ", "About "},
    {31, "Nessuna stampante installata", "No printer is installed"},
    {32, "Percorso troppo lungo: _", "Path too long: _"},
    {33, "Il MIDI resta disattivato fino al prossimo avvio", "MIDI stays off until the next start"},
    {34, "Esiste già un altro file _: salvare con Salva con nome", "Another file _ already exists: save with Save As"},
    {38, "Cerca Arra&ngement (ID)", "Find Arra&ngement (ID)"},
    {39, "&Aggiorna i40DBArr", "&Update i40DBArr"},
    {40, "File i40DBArr assente", "File i40DBArr not found"},
    {41, "File i40DBArr errato", "File i40DBArr data error"},
    {44, "&Cancella", "&Delete"},
    {46, "Nome File", "File Name"},
    {47, "Guida Utente", "User's Guide"},
    {49, "Chiudere prima tutte le altre applicazioni", "Close before all other applications"},
    {51, "&Apri", "&Open"},
    {52, "Il file \xC3\xA8 stato modificato", "The file has changed"},
    {53, "Salvare le modifiche ?", "Save changes ?"},
    {54, "&Salva", "&Save"},
    {62, "&Preferenze", "&Preferences"},
    {63, "&Lingua", "&Language"},
    {64, "Italiano", "Italian"},
    {65, "Inglese", "English"},
    {66, "La modifica avr\xC3\xA0 effetto al prossimo avvio del programma",
     "The change will take place next time you will run the programme"},
    {68, "Carica Style", "Load Style"},
    {70, "Carica Program", "Load Program"},
    {71, "&Modifica", "&Edit"},
    {72, "Copia", "Copy"},
    {73, "Taglia", "Cut"},
    {74, "Incolla", "Paste"},
    {75, "Salva file con nome", "Save file as"},
    {77, "File i40ArrA assente", "File i40ArrA not found"},
    {78, "File i40ArrB assente", "File i40ArrB not found"},
    {79, "File _ assente", "File _ not found"},
    {80, "Nuovo File Arr", "New File Arr"},
    {81, "SenzaNome", "Untitled"},
    {82, "Non sono ammessi pi\xC3\xB9 di 4 Style per file", "Not more than 4 styles per file are allowed"},
    {84, "Cambio lingua", "Change language"},
    {85, "Apri Prg/Pgg", "Open Prg/Pgg"},
    {86, "&Nuovo Arr", "&New Arr"},
    {87, "Nuovo Prg/Pgg", "New Prg/Pgg"},
    {88, "Nuovo File Program", "New File Program"},
    {90, "File di sola lettura", "Read only file"},
    {92, "Cerca Arrangement (ID)", "Find Arrangement (ID)"},
    {93, "File gi\xC3\xA0 aperto", "File already open"},
    {94, "L'Arrangement \xC3\xA8 stato modificato.", "The Arrangement has changed."},
    {95, "Aggiorna automaticamente i40DBArr", "Update Automatically i40DBArr"},
    {96, "Apertura di _", "Opening _"},
    {97, "Scegliere la directory del file aperto come directory di lavoro di i40DBArr ?",
     "Choose the directory of the opened file as working directory of i40DBArr?"},
    {98, "Interno", "Internal"},
    {100, "_ errato", "_ error"},
    {101, "Aggiornamento di _", "Update _"},
    {102, "Carica Arrangement", "Load Arrangement"},
    {103, "Mostra barra di stato", "Show Status Bar"},
    {104, "Errore di lettura", "Reading Error"},
    {105, "Lettura ", "Reading "},
    {106, "Tastiera", "Keyboard"},
    {107, "Carica Style (Nuovo Arr)", "Load Style (New Arr)"},
    {108, "Messaggi MIDI", "MIDI Messages"},
    {111, "Apertura ", "Opening "},
    {114, "Chiusura dispositivo MIDI di uscita", "Closing MIDI out device"},
    {116, "Errore nel formato dei dati", "Data format error"},
    {119, "La lunghezza di un gruppo di 4 Style deve essere inferiore a 65496 byte",
     "The lenght of a 4 Styles group must be less than 65496 bytes"},
    {121, "Nuovo Style", "New Style"},
    {122, "Sola Lettura", "Read Only"},
    {123, "Ingrandisci", "Maximize"},
    {124, "Trasmissione Back. Seq.", "Loading Back. Seq."},
    {125, "Importa", "Import"},
    {126, "Il Program \xC3\xA8 stato modificato.", "The Program has changed."},
    {127, "Mantenere le modifiche ?", "Keep changes ?"},
    {128, "Blocco note", "Notebook"},
    {129, "Archivio, editor e controller MIDI per KORG i40M, iS35, iS40, iS50",
     "Librarian, editor and MIDI controller for KORG i40M, iS35, iS40, iS50"},
    {130, "  ", "  "},
    {131, "Versione 3.0, 2001 (rilascio dell'11 marzo 2001)", "Version 3.0, 2001 (release 11th March 2001)"},
    {141, "Selezione Automatica Program", "Auto Program Selection"},
    {143, "Apri Sty", "Open Sty"},
    {144, "Apri Gbl", "Open Gbl"},
    {145, "Apri Bsq", "Open Bsq"},
    {147,
     "MIDI Thru non attivato: ingresso e uscita MIDI sono la stessa porta (_), "
     "che ripeterebbe ogni messaggio all'infinito.",
     "MIDI Thru not switched on: the MIDI input and output are the same port (_), "
     "which would repeat every message endlessly."},
    {148, "Trasmissione dati MIDI", "Sending MIDI data"},
    {149,
     "Trasmissione interrotta. Il messaggio System Exclusive in corso \xC3\xA8 stato chiuso con F7, "
     "lo strumento non resta in attesa.",
     "Sending stopped. The System Exclusive message in progress was ended with F7, "
     "so the instrument is not left waiting."},
    {150, "Interrompi", "Stop"},
    {151, "lo stato dei dispositivi MIDI del programma (_)", "the program's MIDI device state (_)"},
    {152, "il file informazioni del programma (_)", "the program's info file (_)"},
    {153, "le impostazioni del programma (_)", "the program's settings (_)"},
    {154, "Le impostazioni non possono essere conservate: all'uscita le modifiche andranno perse.",
     "The settings cannot be kept: changes will be lost when the program ends."},
    {157, "Impossibile commutare il MIDI Thru: il driver MIDI lo ha rifiutato",
     "MIDI Thru could not be switched: the MIDI driver refused it"},
    {156, "Il gruppo di style _ \xC3\xA8 incompleto e non \xC3\xA8 stato inviato",
     "Style group _ is incomplete and was not sent"},
    {158, "Velmora non pu\xC3\xB2 convertire i file della vecchia serie i: il loro formato dati non \xC3\xA8 noto.",
     "Velmora cannot convert files of the old i-series: their data format is not known."},
    {159, "Nessuna finestra libera: parte di _ non \xC3\xA8 stata importata.",
     "No free window left: part of _ was not imported."},
    {170,
     "Il nome \"_\" termina con uno spazio: file e cartelle il cui nome termina con uno spazio "
     "non possono essere aperti n\xC3\xA9 salvati.",
     "The name \"_\" ends in a blank: files and folders whose names end in a blank cannot be opened or saved."},
    {171, "Impossibile aprire _ con questo comando: il nome del file deve terminare con _",
     "_ cannot be opened with this command: the file name must end in _"},
    {172, "_ esiste gi\xC3\xA0. Sostituirlo ?", "_ already exists. Replace it ?"},
    {177, "Impossibile memorizzare il Program: la finestra del suo file \xC3\xA8 stata chiusa.",
     "The program cannot be stored: its program file window has been closed."},
    {178, "Impossibile memorizzare l'Arrangement: la finestra del suo file \xC3\xA8 stata chiusa.",
     "The arrangement cannot be stored: its arrangement file window has been closed."},
    {160, "Impossibile stampare l'elenco: _", "The list could not be printed: _"},
    {181, "Impossibile numerare _ in i40DBArr: il nome supera i 24 caratteri o termina con uno spazio",
     "_ cannot be numbered in i40DBArr: its name is longer than 24 characters or ends in a blank"},
    {182, "Impossibile numerare _ in i40DBArr: un file numerato ha lo stesso nome con maiuscole e minuscole diverse",
     "_ cannot be numbered in i40DBArr: a numbered file has the same name in other letter case"},
    {183, "Nessuno dei file di i40DBArr \xC3\xA8 stato trovato in _: non \xC3\xA8 stato rimosso nulla",
     "None of the files of i40DBArr was found in _: nothing was removed"},
    {184, "i40DBArr \xC3\xA8 pieno: 997 file di arrangement sono numerati",
     "i40DBArr is full: 997 arrangement files are numbered"},
    {185, "Questi file di arrangement non sono stati numerati (nome di oltre 24 caratteri o terminante con uno "
          "spazio, oppure gi\xC3\xA0 numerato con maiuscole e minuscole diverse): _",
     "These arrangement files were not numbered (name longer than 24 characters or ending in a blank, or "
     "numbered already in other letter case): _"},
    {186, "Tutte le otto finestre Arrangement sono in uso: chiuderne una e riprovare",
     "All eight arrangement windows are in use: close one and try again"},
};

const std::map<int, std::string>& table() {
    static const std::map<int, std::string> t = [] {
        std::map<int, std::string> m;
        for (const auto& p : kMessages) {
            m[p.n] = p.it;
            m[p.n + 200] = p.en;
        }
        return m;
    }();
    return t;
}

}  // namespace

std::string MsgRaw(int n) {
    const auto& t = table();
    auto it = t.find(n);
    return it == t.end() ? std::string() : it->second;
}

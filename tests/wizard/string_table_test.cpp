#include <gtest/gtest.h>

#include "message_box_catcher.h"

namespace {

// The table as the user must see it, written here in UTF-8.
struct TableText {
    int id;
    const char* utf8;
};

const TableText kTable[] = {
    {10000, "&Crea una drecera a l'escriptori"},
    {10001, "L'Assistent d'instal·lació ha detectat que"},
    {10002, "està instal·lat en aquest sistema. La carpeta d'instal·lació és:\r\n\r\n"},
    {10003, "\r\n\r\nVoleu desinstal·lar-lo per tal d'instal·lar"},
    {10004, "El fitxer de dades està fet malbé."},
    {10005, "El fitxer està fet malbé."},
    {10006, "Cal el sistema Windows 95 o posterior per utilitzar aquest programa."},
    {10007, "&Navegació..."},
    {10008, "&Cancel·la"},
    {10009, "L'Assistent d'instal·lació no pot continuar."},
    {10010, "Error mentre es copiava el fitxer."},
    {10011, "Error mentre es creava la carpeta."},
    {10012, "No s'ha trobat el fitxer."},
    {10013, "Error mentre es llegia el fitxer."},
    {10014, "Error mentre s'escrivia el fitxer."},
    {10015, "Per crear un grup de programes, marqueu el quadre de verificació i indiqueu-ne el nom. Si no voleu crear-lo, desmarqueu el quadre de verificació."},
    {10016, "Desmarqueu els fitxers que no vulgueu associar a"},
    {10017, "Comprovant si hi ha prou espai lliure al disc..."},
    {10018, "Premeu Surt per finalitzar l'assistent i tancar totes les aplicacions, o premeu Següent per continuar."},
    {10019, "Es recomana tancar totes les aplicacions abans de continuar amb l'Assistent d'instal·lació."},
    {10020, "Per a qualsevol pregunta o suport tècnic, contacteu amb una de les adreces electròniques indicades."},
    {10021, "No s'ha pogut crear una carpeta temporal per descomprimir els fitxers."},
    {10022, "&Crea un grup de programes"},
    {10023, "Creant les carpetes de l'aplicació..."},
    {10024, "Creant el grup de programes..."},
    {10025, "Creant una drecera a l'escriptori..."},
    {10026, "No s'ha trobat el fitxer de dades."},
    {10027, "s'instal·larà a la ubicació predeterminada (recomenat). Si voleu triar una ubicació diferent, premeu Navegació i seleccioneu una altra carpeta."},
    {10028, "&Ubicació"},
    {10029, "La carpeta d'instal·lació ja existeix. Voleu utilitzar-la igualment?"},
    {10030, "Hi ha almenys una instància de l'Kestrel en marxa. Si us plau tanqueu-la i torneu a arrencar aquest assistent d'instal·lació."},
    {10031, "&Sortir"},
    {10032, "La instal·lació no s'ha completat. Si sortiu de l'assistent ara, aquest programari no s'instal·larà.\n\nSegur que voleu sortir?"},
    {10033, "Descomprimint"},
    {10034, "Si us plau espereu mentre es descomprimeixen els fitxers necessaris..."},
    {10035, "&Finalitza"},
    {10036, "Premeu Finalitza per sortir de l'Assistent i completar la instal·lació."},
    {10037, "&Instal·la"},
    {10038, " Carpeta:\t\t\t"},
    {10039, "Copiant els fitxers de l'aplicació..."},
    {10040, "La informació indicada s'utilitzarà per registrar i instal·lar"},
    {10041, "ha estat instal·lat correctament. Gràcies per utilitzar aquest programari."},
    {10042, "Per tal de completar la instal·lació, cal que reinicieu l'ordinador."},
    {10043, "&Nom:"},
    {10044, " Nom:\t\t\t"},
    {10045, "S&egüent"},
    {10046, "No hi ha prou espai lliure al disc per instal·lar aquest programari."},
    {10047, "Cap"},
    {10048, "E&mpresa:"},
    {10049, " Empresa:\t\t"},
    {10050, "No oblideu reiniciar l'ordinador abans d'utilitzar"},
    {10051, "&Anterior"},
    {10052, " Grup de programes:\t"},
    {10053, "Llegiume.txt"},
    {10054, "No, reiniciaré l'ordinador més tard"},
    {10055, "Si, vull reiniciar l'ordinador ara"},
    {10056, "Premeu Instal·la per començar la instal·lació o Anterior si voleu fer modificacions."},
    {10057, "Triar la carpeta d'instal·lació"},
    {10058, " Assistent d'instal·lació"},
    {10059, "Dreceres"},
    {10060, "Obrint el fitxer d'ajuda..."},
    {10061, "El procés d'instal·lació ha estat interromput."},
    {10062, "Anul·lant la instal·lació..."},
    {10063, "Actualitzant el registre del Windows..."},
    {10064, "El procés d'instal·lació ha estat cancel·lat per l'usuari."},
    {10065, "S'ha detectat la següent informació. Aquesta informació s'utilitzarà per registrar"},
    {10066, "Benvinguts a l'Assistent d'instal·lació. Aquest assistent instal·larà"},
    {10067, "Seleccioneu el conjunt d'eines del Windows que utilitzareu"},
    {10068, "Escrivint valors al registre..."},
    {10069, "al vostre ordinador."},
    {10070, "El camí del fitxer és massa llarg."},
    {10071, "Una instal·lació anterior d'aquest producte es va interrompre. Ara es desfaran els canvis que va fer."},
    {10072, "No es pot escriure el diari de la instal·lació:"},
    {10073, "No hi ha prou memòria per descomprimir els fitxers."},
    {10074, "Ja s'està executant una instal·lació d'aquest producte. Espereu que acabi abans de tornar-ho a provar."},
    {10075, "Alguns canvis de la instal·lació interrompuda no s'han desfet, perquè han canviat des de llavors o no es poden llegir. Nombre de canvis:"},
    {10076, "No s'ha pogut desfer del tot la instal·lació. Tanqueu el programa que fa servir aquest fitxer; es tornarà a provar la propera vegada que s'iniciï el programa:"},
    {10077, "Aquest argument de la línia d'ordres no és vàlid. Escriviu Instal.exe /? per veure'n les opcions."},
    {10078, "La pàgina de l'assistent no accepta aquesta resposta."},
    {10079, "El fitxer de respostes no es pot llegir o està fet malbé a la línia indicada."},
    {10080, "No s'ha pogut desar el fitxer de respostes."},
    {10082, "No es pot crear el fitxer de seguiment de la instal·lació."},
};

TEST(StringTable, EveryTextLoadsByteForByte)
{
    ASSERT_EQ(sizeof kTable / sizeof kTable[0], 82u);
    for (const TableText& entry : kTable)
        EXPECT_EQ(TableString(entry.id), Ansi(entry.utf8)) << entry.id;
}

TEST(StringTable, IdentifiersOutsideTheTableLoadEmpty)
{
    EXPECT_EQ(TableString(9999), "");
    EXPECT_EQ(TableString(10083), "");
}

TEST(StringTable, TextsAreInCodePage1252)
{
    // "instal·lació": the middle dot is one byte, 0xB7.
    std::string text = TableString(10009);
    EXPECT_NE(text.find("instal\xB7laci\xF3"), std::string::npos) << text;
}

}  // namespace

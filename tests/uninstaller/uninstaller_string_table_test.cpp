// The uninstaller's texts as the user must see them, written here by hand:
// a check that a closing message holds one of them means something only when
// the text itself is known to load.
#include <gtest/gtest.h>

#include "message_box_catcher.h"

namespace {

struct TableText {
    int id;
    const char* utf8;
};

const TableText kTable[] = {
    {20000, " Desinstal·lador de Kestrel"},
    {20001, " Desinstal·lació de"},
    {20002, "Aquest programa desinstal·la Kestrel i no s'inicia sol. El Windows l'inicia des de la llista de programes "
            "instal·lats amb la clau del producte (KSUninst.exe Kestrel); l'Assistent d'instal·lació l'inicia amb /S i "
            "la clau, i després d'un reinici amb /R i la clau. Una eina de desplegament l'inicia amb /SILENT o "
            "/VERYSILENT i la clau, i amb /LOG si vol un fitxer de seguiment."},
    {20003, "No s'ha trobat cap instal·lació amb la clau"},
    {20004, "Voleu desinstal·lar"},
    {20005, "de la carpeta:\r\n\r\n"},
    {20007, "Preparant la desinstal·lació..."},
    {20008, "Suprimint els fitxers de l'aplicació..."},
    {20009, "Suprimint el grup de programes..."},
    {20010, "Suprimint la drecera de l'escriptori..."},
    {20011, "Suprimint les associacions de fitxers..."},
    {20012, "Suprimint les carpetes de l'aplicació..."},
    {20013, "Actualitzant el registre del Windows..."},
    {20014, "ha estat desinstal·lat correctament."},
    {20015, "\r\n\r\nLa carpeta següent conté fitxers que no són de l'aplicació i s'ha conservat:\r\n"},
    {20016, "\r\n\r\nAquests valors del registre de desinstal·lació no són segurs i no s'han tractat:"},
    {20017, "\r\n\r\nAlguns fitxers estaven en ús i se suprimiran quan reinicieu l'ordinador."},
    {20018, "El registre de desinstal·lació està fet malbé. Valor:"},
    {20019, "&Cancel·la"},
    {20021, "La desinstal·lació no s'ha completat."},
    {20022, "No s'ha pogut registrar la biblioteca:"},
    {20023, "El desinstal·lador no pot continuar."},
    {20024, "No s'han pogut suprimir les dades del registre."},
    {20025, "Una instal·lació anterior d'aquest producte es va interrompre. Ara es desfaran els canvis que va fer."},
    {20026, "Alguns canvis de la instal·lació interrompuda no s'han desfet, perquè han canviat des de llavors o no es poden llegir. Nombre de canvis:"},
    {20027, "No s'ha pogut desfer del tot la instal·lació interrompuda. Tanqueu el programa que fa servir aquest fitxer i torneu a iniciar el desinstal·lador:"},
    {20028, "No es pot crear el fitxer de seguiment de la desinstal·lació."},
};

TEST(UninstallerStrings, EveryTextLoadsByteForByte)
{
    for (const TableText& entry : kTable)
        EXPECT_EQ(TableString(entry.id), Ansi(entry.utf8)) << entry.id;
    for (int unused : {20006, 20020, 20029})
        EXPECT_EQ(TableString(unused), "") << unused;
}

}  // namespace

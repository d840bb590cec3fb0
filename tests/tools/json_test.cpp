// The JSON object of compila --json.
#include "tools/compila/json.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(JsonCompila, StringsAreEscapedToAscii) {
  struct caso {
    std::string testo, atteso;
  } casi[] = {
      {"", "\"\""},
      {"Prova_T1.sim", "\"Prova_T1.sim\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"riga\r\nnuova\tfine", "\"riga\\r\\nnuova\\tfine\""},
      {std::string("\x00\x01\x1f", 3), "\"\\u0000\\u0001\\u001f\""},
      {"\x7f", "\"\\u007f\""},
      // Bytes from 0x80 up, one escape per byte: a code-page-1252 grave e,
      // and the two bytes of a UTF-8 one.
      {"citt\xe8", "\"citt\\u00e8\""},
      {"citt\xc3\xa8", "\"citt\\u00c3\\u00a8\""},
      {"\x80\xff", "\"\\u0080\\u00ff\""},
  };
  for (const caso& c : casi) EXPECT_EQ(stringa_json(c.testo), c.atteso) << c.atteso;
}

TEST(JsonCompila, ObjectWithAndWithoutError) {
  diagnosi nessuno;
  EXPECT_EQ(oggetto_json(nessuno, {"d/A_linea.dat", "d/A_T.sim", "d/A_T.dat"}),
            "{\"codice_errore\":0,\"posizione_errore\":null,\"file\":null,\"riga\":null,\"messaggio\":null,"
            "\"scritti\":[\"d/A_linea.dat\",\"d/A_T.sim\",\"d/A_T.dat\"],\"avvisi\":[]}\n");

  diagnosi completo;
  completo.codice = 16;
  completo.posizione = -50;
  completo.dove = {"t\"reno.txt", 19};
  completo.messaggio = "la cella e' occupata";
  EXPECT_EQ(oggetto_json(completo, {}),
            "{\"codice_errore\":16,\"posizione_errore\":-50,\"file\":\"t\\\"reno.txt\",\"riga\":19,"
            "\"messaggio\":\"la cella e' occupata\",\"scritti\":[],\"avvisi\":[]}\n");

  // A file without a line (a source that could not be read at all), and a
  // position of 0 that was set: 0 is a value, not "none".
  diagnosi senza_riga;
  senza_riga.codice = 25;
  senza_riga.posizione = 0;
  senza_riga.dove = {"l.txt", 0};
  senza_riga.messaggio = "m";
  EXPECT_EQ(oggetto_json(senza_riga, {"x"}),
            "{\"codice_errore\":25,\"posizione_errore\":0,\"file\":\"l.txt\",\"riga\":null,"
            "\"messaggio\":\"m\",\"scritti\":[\"x\"],\"avvisi\":[]}\n");
}

// Warnings: the file escaped like any path, no line or column as null.
TEST(JsonCompila, Avvisi) {
  std::vector<avviso_json> avvisi = {{"l\xe8.txt", 4, 1, "parola-ignota", "il campo \"x\""},
                                     {"t.txt", 0, 0, "sezione", "senza"}};
  EXPECT_EQ(oggetto_json(diagnosi{}, {}, avvisi),
            "{\"codice_errore\":0,\"posizione_errore\":null,\"file\":null,\"riga\":null,\"messaggio\":null,"
            "\"scritti\":[],\"avvisi\":[{\"file\":\"l\\u00e8.txt\",\"riga\":4,\"colonna\":1,\"nome\":"
            "\"parola-ignota\",\"messaggio\":\"il campo \\\"x\\\"\"},{\"file\":\"t.txt\",\"riga\":null,"
            "\"colonna\":null,\"nome\":\"sezione\",\"messaggio\":\"senza\"}]}\n");
}

}  // namespace
}  // namespace compattatore

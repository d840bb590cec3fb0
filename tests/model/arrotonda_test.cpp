#include "model/arrotonda.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Arrotonda, HalvesGoToTheEvenNeighbour) {
  struct caso {
    int64_t num, den, atteso;
  } casi[] = {
      {5, 2, 2},   {7, 2, 4},   {-5, 2, -2}, {-7, 2, -4}, {69025, 50, 1380},
      {69075, 50, 1382}, {1, 3, 0}, {2, 3, 1}, {-1, 3, 0}, {-2, 3, -1}, {0, 50, 0},
  };
  for (const caso& c : casi)
    EXPECT_EQ(arrotonda_frazione(c.num, c.den), c.atteso) << c.num << "/" << c.den;
}

TEST(Arrotonda, CellsOfPositions) {
  EXPECT_EQ(cella_di(125), 2);
  EXPECT_EQ(cella_di(175), 4);
  EXPECT_EQ(cella_punto(1000), 21);
  EXPECT_EQ(cella_punto(1350), 28);
  EXPECT_EQ(cella_punto(25), 2);   // 1.5 -> 2
  EXPECT_EQ(cella_punto(75), 2);   // 2.5 -> 2
  EXPECT_EQ(cella_punto(24), 1);
}

TEST(Arrotonda, RangeTestIsExact) {
  // ultima_cella 1380: 68900 passes, 68950 fails; 68901 fails too.
  EXPECT_TRUE(entro_percorso(68900, 1380));
  EXPECT_FALSE(entro_percorso(68901, 1380));
  EXPECT_FALSE(entro_percorso(68950, 1380));
  EXPECT_TRUE(entro_percorso(68200, 1380, 800));
  EXPECT_FALSE(entro_percorso(68201, 1380, 800));
}

}  // namespace
}  // namespace compattatore

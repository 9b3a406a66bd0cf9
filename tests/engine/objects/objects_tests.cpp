// Identifiers, the base object's accessors, the manager's Z order and the particle layout.
#include "engine/objects/qc_base.h"
#include "engine/objects/qc_base_manager.h"
#include "engine/objects/qc_particle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <list>
#include <vector>

using namespace QOR;

namespace {

// Records the messages it receives and answers with a chosen result.
class Probe : public QC_BASE {
 public:
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override {
    received.push_back({id, a, b, c, d});
    return answer;
  }
  std::vector<std::vector<std::intptr_t>> received;
  int answer = 0;
};

TEST(Objects, IdReadsItsCharactersFirstLowest) {
  QC_ID id;
  id.fSet('n', 'o', 'i', 'd');
  EXPECT_EQ(id.fGet(), 0x64696F6Eu);
  EXPECT_TRUE(id.isEqual(0x64696F6Eu));
  std::uint8_t bytes[4];
  std::memcpy(bytes, &id, 4);
  EXPECT_EQ(bytes[0], 0x6E);
  EXPECT_EQ(bytes[3], 0x64);
}

TEST(Objects, FreshBaseObjectCarriesItsDefaults) {
  Probe probe;
  EXPECT_TRUE(probe.isName("nonamed"));
  EXPECT_FALSE(probe.isName("NONAMED"));
  EXPECT_TRUE(probe.isLastName("nolastname"));
  EXPECT_STREQ(probe.fGetName(), "nonamed");
  EXPECT_TRUE(probe.isId(QC_ID('n', 'o', 'i', 'd')));
  EXPECT_FALSE(probe.isId(QC_ID('t', 'i', 'l', 'e')));
  EXPECT_EQ(probe.fGetUpdateLevel(), 1);
  EXPECT_EQ(probe.fGetRenderLevel(), 1);
  EXPECT_FLOAT_EQ(probe.fGetZ(), 0.0f);
  EXPECT_TRUE(probe._children.empty());
  EXPECT_EQ(probe._userWord, 0u);
  EXPECT_EQ(probe._managerMark, 0u);
}

TEST(Objects, UpdateAndRenderSendTheirMessagesAndPassTheAnswerOn) {
  Probe probe;
  probe.answer = QC_BASE::kDeleteMe;
  EXPECT_EQ(probe.fUpdate(), -113);
  probe.answer = QC_BASE::kStopPass;
  EXPECT_EQ(probe.fRender(), -109);
  EXPECT_EQ(probe.received, (std::vector<std::vector<std::intptr_t>>{{1, 0, 0, 0, 0}, {4, 0, 0, 0, 0}}));
}

TEST(Objects, ManagerOrdersFromHighestZAndIgnoresNull) {
  Probe low;
  Probe high;
  Probe same;
  low._z = -1.0f;
  high._z = 5.0f;
  same._z = 5.0f;
  EXPECT_TRUE(QC_BASE_MANAGER::fCompareZ(&high, &low));
  EXPECT_FALSE(QC_BASE_MANAGER::fCompareZ(&low, &high));
  EXPECT_FALSE(QC_BASE_MANAGER::fCompareZ(&high, &same));
  EXPECT_FALSE(QC_BASE_MANAGER::fCompareZ(&same, &high));
  EXPECT_FALSE(QC_BASE_MANAGER::fCompareZ(nullptr, &low));
  EXPECT_FALSE(QC_BASE_MANAGER::fCompareZ(&low, nullptr));
  std::list<QC_BASE*> objects = {&low, &high};
  objects.sort(&QC_BASE_MANAGER::fCompareZ);
  EXPECT_EQ(objects.front(), &high);
}

TEST(Objects, ParticleBeginsWithItsPointVertex) {
  QC_PARTICLE particle;
  particle._base._position = QS_VEC3(1.0f, 2.0f, 3.0f);
  particle._base.fSetSize(16.0f);
  particle._base._color = 0xFF102030u;
  QS_POINT_VERTEX vertex;
  std::memcpy(&vertex, &particle, sizeof(vertex));
  EXPECT_FLOAT_EQ(vertex.x, 1.0f);
  EXPECT_FLOAT_EQ(vertex.z, 3.0f);
  EXPECT_FLOAT_EQ(vertex.size, 16.0f);
  EXPECT_EQ(vertex.color.fGetARGB(), 0xFF102030u);
  const QC_BASE_PARTICLE copy(particle._base);
  EXPECT_FLOAT_EQ(copy.fGetSize(), 16.0f);
  EXPECT_EQ(particle.fGetNext(), nullptr);
}

}  // namespace

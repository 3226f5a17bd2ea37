// A material's published properties on the property stream: what it keeps
// while linked to a library material, and a full round trip into a fresh one.
#include "gfx3d/persistence/material_properties.h"

#include <gtest/gtest.h>

#include "gfx3d/core/initialization.h"
#include "gfx3d/core/library_errors.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/materials/materials.h"
#include "gfx3d/materials/texture_images.h"
#include "gfx3d/materials/textures.h"
#include "gfx3d/persistence/property_stream.h"

namespace {

std::string Written(TPersistent& object) {
  TStringStream stream;
  TBinaryWriter writer(stream);
  TPropertyWriter(writer).WriteProperties(object);
  writer.WriteListStop();
  return stream.DataString();
}

void ReadInto(TPersistent& object, const std::string& bytes) {
  TStringStream stream(bytes);
  TBinaryReader reader(stream);
  TPropertyReader(reader).ReadPropertyList(object);
}

bool Names(const std::string& bytes, const std::string& name) {
  return bytes.find(std::string(1, vaString) + char(name.size()) + name) != std::string::npos;
}

class MaterialProperties : public testing::Test {
 protected:
  void SetUp() override {
    InitializeGfx3D();
    PublishMaterialProperties();
  }
};

}  // namespace

TEST_F(MaterialProperties, ALinkedMaterialKeepsOnlyItsLinkAndTheOptions) {
  TGLMaterialLibrary library(nullptr);
  library.SetName("Library1");
  library.Materials().Add()->SetName("Steel");
  TGLMaterial material(nullptr);
  material.SetBlendingMode(bmAdditive);
  material.SetMaterialOptions(moNoLighting);
  material.SetMaterialLibrary(&library);
  material.SetLibMaterialName("Steel");
  ASSERT_NE(material.LibMaterial(), nullptr);
  const std::string bytes = Written(material);
  for (const char* name : {"FrontProperties.Diffuse.Color", "BlendingMode", "FaceCulling", "Texture.Disabled"})
    EXPECT_FALSE(Names(bytes, name)) << name;
  for (const char* name : {"MaterialOptions", "MaterialLibrary", "Library1", "LibMaterialName", "Steel"})
    EXPECT_TRUE(Names(bytes, name)) << name;
}

TEST_F(MaterialProperties, AnUnlinkedMaterialComesBackWhole) {
  TGLMaterial material(nullptr);
  material.BackProperties().Diffuse().SetColor({0.1f, 0.2f, 0.3f, 0.4f});
  material.FrontProperties().SetShininess(40);
  material.FrontProperties().SetPolygonMode(pmLines);
  material.SetFaceCulling(fcCull);
  material.Texture().SetImageClassName("TGLBlankImage");
  static_cast<TGLBlankImage&>(material.Texture().Image()).SetWidth(64);
  material.Texture().SetImageGamma(2.2f);
  material.Texture().SetDisabled(false);
  material.Texture().MappingTCoordinates().SetVectorXYZW(0, 0, 1, 0.5f);
  const std::string bytes = Written(material);

  TGLMaterial copy(nullptr);
  ReadInto(copy, bytes);
  EXPECT_EQ(Written(copy), bytes);
  EXPECT_EQ(copy.BackProperties().Diffuse().Color().z, 0.3f);
  EXPECT_EQ(copy.FrontProperties().PolygonMode(), pmLines);
  EXPECT_EQ(copy.Texture().ImageClassName(), "TGLBlankImage");
  EXPECT_EQ(copy.Texture().Image().GetWidth(), 64);
  EXPECT_EQ(copy.Texture().MappingTCoordinates().W(), 0.5f);
  EXPECT_TRUE(copy.Texture().Enabled());
  EXPECT_THROW(ReadInto(copy, std::string(1, vaString) + char(5) + "Bogus" + char(vaNull)), EReadError);
}

#include "gfx3d/persistence/material_properties.h"

#include "gfx3d/geometry/nodes.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/materials/materials.h"
#include "gfx3d/materials/textures.h"
#include "gfx3d/persistence/published_properties.h"

namespace {

template <int Index>
float NodeCoordinate(TGLNode& node) {
  return (*node.AsAddress())[Index];
}

template <int Index>
void SetNodeCoordinate(TGLNode& node, float value) {
  node.SetCoordinate(Index, value);
}

void PublishNodesAndCoordinates() {
  // X, Y and Z of coordinates travel in their binary "Coordinates" property only.
  Publisher<TGLCoordinates4>("TGLCoordinates4", "").Single("W", &TGLCoordinates4::W, &TGLCoordinates4::SetW);
  Publisher<TGLNode>("TGLNode", "")
      .Single("X", NodeCoordinate<0>, SetNodeCoordinate<0>, 0.0f)
      .Single("Y", NodeCoordinate<1>, SetNodeCoordinate<1>, 0.0f)
      .Single("Z", NodeCoordinate<2>, SetNodeCoordinate<2>, 0.0f);
}

void PublishFaceProperties() {
  // Colours keep Red, Green, Blue and Alpha in their binary "Color" property only.
  using F = TGLFaceProperties;
  Publisher<F>("TGLFaceProperties", "")
      .Object("Ambient", &F::Ambient)
      .Object("Diffuse", &F::Diffuse)
      .Object("Emission", &F::Emission)
      .Integer("Shininess", &F::Shininess, &F::SetShininess, 0)
      .Enum("PolygonMode", {"pmFill", "pmLines", "pmPoints"}, &F::PolygonMode, &F::SetPolygonMode, pmFill)
      .Object("Specular", &F::Specular);
}

bool Unlinked(TGLMaterial& material) { return material.LibMaterial() == nullptr; }

void PublishMaterial() {
  using M = TGLMaterial;
  Publisher<M>("TGLMaterial", "")
      .StoredWhen([](M& m) { return Unlinked(m) && m.HasBackProperties(); })
      .Object("BackProperties", [](M& m) -> TGLFaceProperties& { return m.BackProperties(); })
      .StoredWhen(Unlinked)
      .Object("FrontProperties", &M::FrontProperties)
      .StoredWhen(Unlinked)
      .Enum("BlendingMode",
            {"bmOpaque", "bmTransparency", "bmAdditive", "bmAlphaTest50", "bmAlphaTest100", "bmModulate"},
            &M::BlendingMode, &M::SetBlendingMode, bmOpaque)
      .Set("MaterialOptions", {"moIgnoreFog", "moNoLighting"}, &M::MaterialOptions, &M::SetMaterialOptions, 0u)
      .StoredWhen([](M& m) { return Unlinked(m) && m.HasTexture(); })
      .Object("Texture", [](M& m) -> TGLTexture& { return m.Texture(); })
      .StoredWhen(Unlinked)
      .Enum("FaceCulling", {"fcBufferDefault", "fcCull", "fcNoCull"}, &M::FaceCulling, &M::SetFaceCulling,
            fcBufferDefault)
      .Reference<TGLMaterialLibrary>("MaterialLibrary", &M::MaterialLibrary, &M::SetMaterialLibrary)
      .String("LibMaterialName", &M::LibMaterialName, &M::SetLibMaterialName)
      .StoredWhen(&M::HasTextureEx)
      .Collection("TextureEx", [](M& m) -> TCollection& { return m.TextureEx(); });
}

bool SameMapping(TGLCoordinates4& coordinates, const TVector4f& byDefault) { return coordinates.Equals(byDefault); }

void PublishTexture() {
  using T = TGLTexture;
  Publisher<T>("TGLTexture", "")
      .StoredWhen([](T& t) { return t.ImageClassName() != "TGLPersistentImage"; })
      .String("ImageClassName", &T::ImageClassName, &T::SetImageClassName)
      .Object("Image", &T::Image)
      .Enum("ImageAlpha",
            {"tiaDefault", "tiaAlphaFromIntensity", "tiaSuperBlackTransparent", "tiaLuminance", "tiaLuminanceSqrt",
             "tiaOpaque", "tiaTopLeftPointColorTransparent", "tiaInverseLuminance", "tiaInverseLuminanceSqrt"},
            &T::ImageAlpha, &T::SetImageAlpha, tiaDefault)
      .Single("ImageBrightness", &T::ImageBrightness, &T::SetImageBrightness, 1.0f)
      .Single("ImageGamma", &T::ImageGamma, &T::SetImageGamma, 1.0f)
      .Enum("MagFilter", {"maNearest", "maLinear"}, &T::MagFilter, &T::SetMagFilter, maLinear)
      .Enum("MinFilter",
            {"miNearest", "miLinear", "miNearestMipmapNearest", "miLinearMipmapNearest", "miNearestMipmapLinear",
             "miLinearMipmapLinear"},
            &T::MinFilter, &T::SetMinFilter, miLinearMipmapLinear)
      .Enum("TextureMode", {"tmDecal", "tmModulate", "tmBlend", "tmReplace"}, &T::TextureMode, &T::SetTextureMode,
            tmDecal)
      .Enum("TextureWrap", {"twBoth", "twNone", "twVertical", "twHorizontal"}, &T::TextureWrap, &T::SetTextureWrap,
            twBoth)
      .Enum("TextureFormat",
            {"tfDefault", "tfRGB", "tfRGBA", "tfRGB16", "tfRGBA16", "tfAlpha", "tfLuminance", "tfLuminanceAlpha",
             "tfIntensity", "tfNormalMap", "tfRGBAFloat16", "tfRGBAFloat32"},
            &T::TextureFormat, &T::SetTextureFormat, tfDefault)
      .Enum("Compression", {"tcDefault", "tcNone", "tcStandard", "tcHighQuality", "tcHighSpeed"}, &T::Compression,
            &T::SetCompression, tcDefault)
      .Enum("FilteringQuality", {"tfIsotropic", "tfAnisotropic"}, &T::FilteringQuality, &T::SetFilteringQuality,
            tfIsotropic)
      .Enum("MappingMode",
            {"tmmUser", "tmmObjectLinear", "tmmEyeLinear", "tmmSphere", "tmmCubeMapReflection", "tmmCubeMapNormal",
             "tmmCubeMapLight0", "tmmCubeMapCamera"},
            &T::MappingMode, &T::SetMappingMode, tmmUser)
      .StoredWhen([](T& t) {
        return !SameMapping(t.MappingSCoordinates(), {1, 0, 0, 0});
      })
      .Object("MappingSCoordinates", &T::MappingSCoordinates)
      .StoredWhen([](T& t) {
        return !SameMapping(t.MappingTCoordinates(), {0, 1, 0, 0});
      })
      .Object("MappingTCoordinates", &T::MappingTCoordinates)
      .Object("EnvColor", &T::EnvColor)
      .Boolean("Disabled", &T::Disabled, &T::SetDisabled, true)
      .Single("NormalMapScale", &T::NormalMapScale, &T::SetNormalMapScale, 0.125f);
}

void PublishTextureImages() {
  Publisher<TGLBlankImage>("TGLBlankImage", "")
      .Integer("Width", &TGLBlankImage::GetWidth, &TGLBlankImage::SetWidth, 256)
      .Integer("Height", &TGLBlankImage::GetHeight, &TGLBlankImage::SetHeight, 256);
  Publisher<TGLBlankImage>("TGLFloatDataImage", "TGLBlankImage");
  Publisher<TGLPicFileImage>("TGLPicFileImage", "")
      .String("PictureFileName", &TGLPicFileImage::PictureFileName, &TGLPicFileImage::SetPictureFileName);
}

void PublishExtraTexturesAndLibraries() {
  using X = TGLTextureExItem;
  Publisher<X>("TGLTextureExItem", "")
      .Object("Texture", &X::Texture)
      .Integer("TextureIndex", &X::TextureIndex, &X::SetTextureIndex)
      .Object("TextureOffset", &X::TextureOffset)
      .Object("TextureScale", &X::TextureScale);
  using L = TGLLibMaterial;
  Publisher<L>("TGLLibMaterial", "")
      .String("Name", &L::Name, &L::SetName)
      .Object("Material", &L::Material)
      .Integer("Tag", &L::Tag, FieldSetter(&L::Tag), 0)
      .Object("TextureOffset", &L::TextureOffset)
      .Object("TextureScale", &L::TextureScale)
      .String("Texture2Name", &L::Texture2Name, &L::SetTexture2Name)
      .Reference<TGLShader>("Shader", &L::Shader, &L::SetShader);
  using Library = TGLMaterialLibrary;
  Publisher<Library>("TGLMaterialLibrary", "")
      .Collection("Materials", [](Library& l) -> TCollection& { return l.Materials(); })
      .String("TexturePaths", &Library::TexturePaths, &Library::SetTexturePaths);
}

}  // namespace

void PublishMaterialProperties() {
  PublishNodesAndCoordinates();
  PublishFaceProperties();
  PublishMaterial();
  PublishTexture();
  PublishTextureImages();
  PublishExtraTexturesAndLibraries();
}

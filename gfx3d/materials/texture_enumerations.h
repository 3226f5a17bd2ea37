// The enumerations of texture properties; form files store their value
// names, so the order of the values is fixed.
#pragma once

#include <cstdint>

enum TGLTextureMode : std::uint8_t { tmDecal, tmModulate, tmBlend, tmReplace };
enum TGLTextureWrap : std::uint8_t { twBoth, twNone, twVertical, twHorizontal };
enum TGLTextureFormat : std::uint8_t {
  tfDefault,
  tfRGB,
  tfRGBA,
  tfRGB16,
  tfRGBA16,
  tfAlpha,
  tfLuminance,
  tfLuminanceAlpha,
  tfIntensity,
  tfNormalMap,
  tfRGBAFloat16,
  tfRGBAFloat32
};
enum TGLMinFilter : std::uint8_t {
  miNearest,
  miLinear,
  miNearestMipmapNearest,
  miLinearMipmapNearest,
  miNearestMipmapLinear,
  miLinearMipmapLinear
};
enum TGLMagFilter : std::uint8_t { maNearest, maLinear };
enum TGLTextureImageAlpha : std::uint8_t {
  tiaDefault,
  tiaAlphaFromIntensity,
  tiaSuperBlackTransparent,
  tiaLuminance,
  tiaLuminanceSqrt,
  tiaOpaque,
  tiaTopLeftPointColorTransparent,
  tiaInverseLuminance,
  tiaInverseLuminanceSqrt
};
enum TGLTextureMappingMode : std::uint8_t {
  tmmUser,
  tmmObjectLinear,
  tmmEyeLinear,
  tmmSphere,
  tmmCubeMapReflection,
  tmmCubeMapNormal,
  tmmCubeMapLight0,
  tmmCubeMapCamera
};
enum TGLTextureCompression : std::uint8_t { tcDefault, tcNone, tcStandard, tcHighQuality, tcHighSpeed };
enum TGLTextureFilteringQuality : std::uint8_t { tfIsotropic, tfAnisotropic };

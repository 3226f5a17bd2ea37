// Sky domes with their bands and stars, height fields and grids with their
// sampling scales, and 3-D text with its font and adjustment.
#include "scene3d/lines/height_field.h"
#include "scene3d/lines/xyz_grid.h"
#include "scene3d/persistence/published_families.h"
#include "scene3d/sky/earth_sky_dome.h"
#include "scene3d/text/space_text.h"

namespace {

void PublishSkyDomes() {
  using Band = TSkyDomeBand;
  Publisher<Band>("TSkyDomeBand", "")
      .Single("StartAngle", &Band::StartAngle, &Band::SetStartAngle, 0.0f)
      .Single("StopAngle", &Band::StopAngle, &Band::SetStopAngle, 0.0f)
      .Object("StartColor", &Band::StartColor)
      .Object("StopColor", &Band::StopColor)
      .Integer("Slices", &Band::Slices, &Band::SetSlices, 12)
      .Integer("Stacks", &Band::Stacks, &Band::SetStacks, 1);
  using Star = TSkyDomeStar;
  Publisher<Star>("TSkyDomeStar", "")
      .Single("RA", &Star::RA, FieldSetter(&Star::RA))
      .Single("Dec", &Star::Dec, FieldSetter(&Star::Dec))
      .Single("Magnitude", &Star::Magnitude, FieldSetter(&Star::Magnitude))
      .Integer("Color", &Star::Color, FieldSetter(&Star::Color));
  using S = TGLSkyDome;
  Publisher<S>("TGLSkyDome", "TGLCameraInvariantObject")
      .Collection("Bands", [](S& o) -> TCollection& { return o.Bands(); })
      .Collection("Stars", [](S& o) -> TCollection& { return o.Stars(); })
      .Set("Options", {"sdoTwinkle"}, &S::Options, &S::SetOptions, 0u);
  using E = TGLEarthSkyDome;
  Publisher<E>("TGLEarthSkyDome", "TGLSkyDome")
      .Single("SunElevation", &E::SunElevation, &E::SetSunElevation)
      .Single("Turbidity", &E::Turbidity, &E::SetTurbidity)
      .Object("SunZenithColor", &E::SunZenithColor)
      .Object("SunDawnColor", &E::SunDawnColor)
      .Object("HazeColor", &E::HazeColor)
      .Object("SkyColor", &E::SkyColor)
      .Object("NightColor", &E::NightColor)
      .Object("DeepColor", &E::DeepColor)
      .Set("ExtendedOptions", {"esoFadeStarsWithSun", "esoRotateOnTwelveHours"}, &E::ExtendedOptions,
           &E::SetExtendedOptions, 0u)
      // The declared defaults are swapped against the values a new dome starts with.
      .Integer("Slices", &E::Slices, &E::SetSlices, 24)
      .Integer("Stacks", &E::Stacks, &E::SetStacks, 48);
}

void PublishGraphs() {
  using Sc = TGLSamplingScale;
  Publisher<Sc>("TGLSamplingScale", "")
      .Single("Min", &Sc::Min, &Sc::SetMin)
      .Single("Max", &Sc::Max, &Sc::SetMax)
      .Single("Origin", &Sc::Origin, &Sc::SetOrigin)
      .Single("Step", &Sc::Step, &Sc::SetStep);
  using H = TGLHeightField;
  Publisher<H>("TGLHeightField", "TGLStageObject")
      .Object("XSamplingScale", &H::XSamplingScale)
      .Object("YSamplingScale", &H::YSamplingScale)
      .Set("Options", {"hfoTextureCoordinates", "hfoTwoSided"}, &H::Options, &H::SetOptions, 2u)
      .Enum("ColorMode", {"hfcmNone", "hfcmEmission", "hfcmAmbient", "hfcmDiffuse", "hfcmAmbientAndDiffuse"},
            &H::ColorMode, &H::SetColorMode, hfcmNone);
  using G = TGLXYZGrid;
  Publisher<G>("TGLXYZGrid", "TGLLineBase")
      .Object("XSamplingScale", &G::XSamplingScale)
      .Object("YSamplingScale", &G::YSamplingScale)
      .Object("ZSamplingScale", &G::ZSamplingScale)
      .Set("Parts", {"gpX", "gpY", "gpZ"}, &G::Parts, &G::SetParts, 3u)
      .Enum("LinesStyle", {"glsLine", "glsSegments"}, &G::LinesStyle, &G::SetLinesStyle, glsSegments);
}

void PublishText() {
  Publisher<TFont>("TFont", "")
      .String("Name", &TFont::Name, &TFont::SetName)
      .Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style, &TFont::SetStyle, 0u);
  using A = TGLTextAdjust;
  Publisher<A>("TGLTextAdjust", "")
      .Enum("Horz", {"haLeft", "haCenter", "haRight", "haAligned", "haCentrically", "haFitIn"}, &A::Horz, &A::SetHorz,
            haLeft)
      .Enum("Vert", {"vaTop", "vaCenter", "vaBottom", "vaBaseLine"}, &A::Vert, &A::SetVert, vaBaseLine);
  using T = TGLSpaceText;
  Publisher<T>("TGLSpaceText", "TGLStageObject")
      .Object("Font", &T::Font)
      .String("Text", &T::Text, &T::SetText)
      .Single("Extrusion", &T::Extrusion, &T::SetExtrusion)
      .Single("AllowedDeviation", &T::AllowedDeviation, &T::SetAllowedDeviation)
      .Enum("CharacterRange", {"stcrAlphaNum", "stcrNumbers", "stcrAll"}, &T::CharacterRange, &T::SetCharacterRange,
            stcrAll)
      .Object("Adjust", &T::Adjust)
      .Single("AspectRatio", &T::AspectRatio, &T::SetAspectRatio)
      .Single("Oblique", &T::Oblique, &T::SetOblique)
      .Single("TextHeight", &T::TextHeight, &T::SetTextHeight);
}

}  // namespace

void PublishEnvironmentProperties() {
  PublishSkyDomes();
  PublishGraphs();
  PublishText();
}

#pragma once
// Texture coordinates by projection, for meshes that wear a picture. Mappings that wrap round (sphere,
// cylinder) split the vertices along the seam so that no face smears the whole picture across itself.

#include "assetgen/meshes/geometry.h"

namespace assetgen::meshes {

// uv = (dot(p - origin, uAxis), dot(p - origin, vAxis)); the axes carry the scale (1 / units per repeat).
Geometry& PlanarUV(Geometry& g, vec3 origin, vec3 uAxis, vec3 vAxis);
// u round the y axis through `centre` (0.5 facing -z, i.e. the camera, growing towards +x), repeated uRepeat
// times; v from the top pole (0) to the bottom pole (vRepeat).
Geometry& SphericalUV(Geometry& g, vec3 centre, float uRepeat, float vRepeat);
// u round the y axis through `centre`, repeated uRepeat times; v = -y * vPerUnit (down the picture).
Geometry& CylindricalUV(Geometry& g, vec3 centre, float uRepeat, float vPerUnit);
// Each face projected along the axis its normal leans on most; one repeat per `unitsPerRepeat`.
Geometry& BoxUV(Geometry& g, float unitsPerRepeat);

}  // namespace assetgen::meshes

#pragma once
// Matrix and vector maths in the conventions the game is written in: row vectors (v' = v * M),
// a left-handed space (x right, y up, z away from the viewer), and clip depth from 0 to 1.
// The memory layout of Matrix is row by row, _11 first, which OpenGL reads as its column-major form.

namespace platform {

struct Vector2 {
    float x = 0, y = 0;
};

struct Vector3 {
    float x = 0, y = 0, z = 0;
};

struct Matrix {
    float _11 = 1, _12 = 0, _13 = 0, _14 = 0;
    float _21 = 0, _22 = 1, _23 = 0, _24 = 0;
    float _31 = 0, _32 = 0, _33 = 1, _34 = 0;
    float _41 = 0, _42 = 0, _43 = 0, _44 = 1;

    // Element at row r, column c (0-based).
    float& At(int r, int c) { return (&_11)[r * 4 + c]; }
    float At(int r, int c) const { return (&_11)[r * 4 + c]; }
    const float* Data() const { return &_11; }
    float* Data() { return &_11; }
};
static_assert(sizeof(Matrix) == 16 * sizeof(float));

// The rectangle of the render target that clip space maps to, with its depth range.
struct Viewport {
    unsigned x = 0, y = 0, width = 800, height = 600;
    float minZ = 0.0f, maxZ = 1.0f;
};

Matrix* MatrixIdentity(Matrix* out);
// Scaling then translation in the xy plane (the only form the game uses: no centres, no rotation).
Matrix* MatrixTransformation2D(Matrix* out, const Vector2* scaling, const Vector2* translation);
// Roll about z, then pitch about x, then yaw about y; radians.
Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll);
Matrix* MatrixTranslation(Matrix* out, float x, float y, float z);
Matrix* MatrixScaling(Matrix* out, float sx, float sy, float sz);
// out = a * b (apply a first). out may alias a or b.
Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b);
Matrix* MatrixLookAtLH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up);
Matrix* MatrixPerspectiveFovLH(Matrix* out, float fovY, float aspect, float zn, float zf);
Matrix* MatrixOrthoOffCenterLH(Matrix* out, float l, float r, float b, float t, float zn, float zf);
Vector3* Vec3Normalize(Vector3* out, const Vector3* v);
Vector3* Vec3TransformCoord(Vector3* out, const Vector3* v, const Matrix* m);
// Projects a point to the viewport: x and y in pixels (y down), z in the viewport's depth range.
Vector3* Vec3Project(Vector3* out, const Vector3* v, const Viewport* viewport, const Matrix* projection,
                     const Matrix* view, const Matrix* world);

}  // namespace platform

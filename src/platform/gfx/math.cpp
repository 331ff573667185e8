#include "platform/gfx/math.h"

#include <cmath>
#include <cstring>

#define GLM_ENABLE_EXPERIMENTAL
#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>
#include <glm/gtx/euler_angles.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace platform {

namespace {

// A row-vector matrix and the column-vector glm matrix of the same transform are each other's transpose,
// and glm stores columns where we store rows: the sixteen floats are identical, so conversion is a copy.
static_assert(sizeof(glm::mat4) == sizeof(Matrix));

Matrix FromGlm(const glm::mat4& m) {
    Matrix out;
    std::memcpy(out.Data(), &m[0][0], sizeof(Matrix));
    return out;
}

glm::vec3 ToGlm(const Vector3& v) { return {v.x, v.y, v.z}; }

}  // namespace

Matrix* MatrixIdentity(Matrix* out) {
    *out = Matrix{};
    return out;
}

Matrix* MatrixTransformation2D(Matrix* out, const Vector2* scaling, const Vector2* translation) {
    Matrix m;
    if (scaling) {
        m._11 = scaling->x;
        m._22 = scaling->y;
    }
    if (translation) {
        m._41 = translation->x;
        m._42 = translation->y;
    }
    *out = m;
    return out;
}

Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll) {
    *out = FromGlm(glm::yawPitchRoll(yaw, pitch, roll));
    return out;
}

Matrix* MatrixTranslation(Matrix* out, float x, float y, float z) {
    Matrix m;
    m._41 = x;
    m._42 = y;
    m._43 = z;
    *out = m;
    return out;
}

Matrix* MatrixScaling(Matrix* out, float sx, float sy, float sz) {
    Matrix m;
    m._11 = sx;
    m._22 = sy;
    m._33 = sz;
    *out = m;
    return out;
}

Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b) {
    // Built in a local so that out may be a or b.
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.At(i, j) = a->At(i, 0) * b->At(0, j) + a->At(i, 1) * b->At(1, j) + a->At(i, 2) * b->At(2, j) +
                         a->At(i, 3) * b->At(3, j);
        }
    }
    *out = r;
    return out;
}

Matrix* MatrixLookAtLH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up) {
    *out = FromGlm(glm::lookAtLH(ToGlm(*eye), ToGlm(*at), ToGlm(*up)));
    return out;
}

Matrix* MatrixPerspectiveFovLH(Matrix* out, float fovY, float aspect, float zn, float zf) {
    *out = FromGlm(glm::perspectiveLH_ZO(fovY, aspect, zn, zf));
    return out;
}

Matrix* MatrixOrthoOffCenterLH(Matrix* out, float l, float r, float b, float t, float zn, float zf) {
    *out = FromGlm(glm::orthoLH_ZO(l, r, b, t, zn, zf));
    return out;
}

Vector3* Vec3Normalize(Vector3* out, const Vector3* v) {
    const float length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
    if (length == 0.0f) {
        *out = Vector3{};
    } else {
        *out = Vector3{v->x / length, v->y / length, v->z / length};
    }
    return out;
}

Vector3* Vec3TransformCoord(Vector3* out, const Vector3* v, const Matrix* m) {
    const float x = v->x * m->_11 + v->y * m->_21 + v->z * m->_31 + m->_41;
    const float y = v->x * m->_12 + v->y * m->_22 + v->z * m->_32 + m->_42;
    const float z = v->x * m->_13 + v->y * m->_23 + v->z * m->_33 + m->_43;
    const float w = v->x * m->_14 + v->y * m->_24 + v->z * m->_34 + m->_44;
    *out = Vector3{x / w, y / w, z / w};
    return out;
}

Vector3* Vec3Project(Vector3* out, const Vector3* v, const Viewport* viewport, const Matrix* projection,
                     const Matrix* view, const Matrix* world) {
    // Any of the three matrices may be left out and counts as identity.
    Matrix m;
    if (world) m = *world;
    if (view) MatrixMultiply(&m, &m, view);
    if (projection) MatrixMultiply(&m, &m, projection);
    Vector3 clip;
    Vec3TransformCoord(&clip, v, &m);
    const float w = static_cast<float>(viewport->width);
    const float h = static_cast<float>(viewport->height);
    *out = Vector3{static_cast<float>(viewport->x) + (1.0f + clip.x) * w * 0.5f,
                   static_cast<float>(viewport->y) + (1.0f - clip.y) * h * 0.5f,
                   viewport->minZ + clip.z * (viewport->maxZ - viewport->minZ)};
    return out;
}

}  // namespace platform

#include "platform/gfx/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace platform {
namespace {

constexpr float kEps = 1e-5f;
constexpr float kPi = std::numbers::pi_v<float>;

void ExpectMatrixNear(const Matrix& expected, const Matrix& actual, float eps = kEps) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(expected.At(r, c), actual.At(r, c), eps) << "element _" << r + 1 << c + 1;
        }
    }
}

void ExpectVectorNear(const Vector3& expected, const Vector3& actual, float eps = kEps) {
    EXPECT_NEAR(expected.x, actual.x, eps);
    EXPECT_NEAR(expected.y, actual.y, eps);
    EXPECT_NEAR(expected.z, actual.z, eps);
}

Matrix FromRows(std::initializer_list<float> values) {
    Matrix m;
    int i = 0;
    for (float v : values) m.Data()[i++] = v;
    return m;
}

Vector3 Transform(Vector3 v, const Matrix& m) {
    Vector3 out;
    Vec3TransformCoord(&out, &v, &m);
    return out;
}

// The elementary rotations written out in the row-vector, left-handed form.
Matrix RotationX(float a) {
    const float c = std::cos(a), s = std::sin(a);
    return FromRows({1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1});
}
Matrix RotationY(float a) {
    const float c = std::cos(a), s = std::sin(a);
    return FromRows({c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1});
}
Matrix RotationZ(float a) {
    const float c = std::cos(a), s = std::sin(a);
    return FromRows({c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

TEST(GfxMath, Transformation2DIsScaleThenTranslate) {
    // The full-screen picture: 1024 x 1024 scaled to 800 x 600, then moved.
    Vector2 scaling{0.78125f, 0.5859375f};
    Vector2 translation{10.0f, 20.0f};
    Matrix m;
    MatrixTransformation2D(&m, &scaling, &translation);
    ExpectMatrixNear(FromRows({0.78125f, 0, 0, 0, 0, 0.5859375f, 0, 0, 0, 0, 1, 0, 10, 20, 0, 1}), m);
    ExpectVectorNear({810.0f, 620.0f, 0.0f}, Transform({1024.0f, 1024.0f, 0.0f}, m));

    // Either part may be left out.
    MatrixTransformation2D(&m, nullptr, &translation);
    ExpectMatrixNear(FromRows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 20, 0, 1}), m);
    MatrixTransformation2D(&m, &scaling, nullptr);
    ExpectMatrixNear(FromRows({0.78125f, 0, 0, 0, 0, 0.5859375f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}), m);
}

TEST(GfxMath, YawPitchRollTurnsAxesTheGameWay) {
    Matrix m;
    // Positive yaw turns +z (ahead) towards +x (right).
    MatrixRotationYawPitchRoll(&m, kPi / 2, 0, 0);
    ExpectVectorNear({1, 0, 0}, Transform({0, 0, 1}, m));
    ExpectVectorNear({0, 0, -1}, Transform({1, 0, 0}, m));
    // Positive pitch turns +z towards -y (nose down).
    MatrixRotationYawPitchRoll(&m, 0, kPi / 2, 0);
    ExpectVectorNear({0, -1, 0}, Transform({0, 0, 1}, m));
    // Positive roll turns +x towards +y.
    MatrixRotationYawPitchRoll(&m, 0, 0, kPi / 2);
    ExpectVectorNear({0, 1, 0}, Transform({1, 0, 0}, m));
    // Pitch is applied before yaw: +y pitches to +z, which yaws to +x.
    MatrixRotationYawPitchRoll(&m, kPi / 2, kPi / 2, 0);
    ExpectVectorNear({1, 0, 0}, Transform({0, 1, 0}, m));
}

TEST(GfxMath, YawPitchRollIsRollPitchYawProduct) {
    const float yaw = 0.3f, pitch = -0.7f, roll = 1.1f;
    Matrix expected;
    Matrix rz = RotationZ(roll), rx = RotationX(pitch), ry = RotationY(yaw);
    MatrixMultiply(&expected, &rz, &rx);
    MatrixMultiply(&expected, &expected, &ry);
    Matrix m;
    MatrixRotationYawPitchRoll(&m, yaw, pitch, roll);
    ExpectMatrixNear(expected, m);
    EXPECT_EQ(0.0f, m._41);
    EXPECT_EQ(1.0f, m._44);
}

TEST(GfxMath, TranslationAndScaling) {
    Matrix t, s;
    MatrixTranslation(&t, 1, 2, 3);
    ExpectMatrixNear(FromRows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}), t);
    MatrixScaling(&s, 2, 3, 4);
    ExpectMatrixNear(FromRows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1}), s);

    // Scale then translation, as the game builds beams and pickups; the other order scales the offset.
    Matrix st, ts;
    MatrixMultiply(&st, &s, &t);
    MatrixMultiply(&ts, &t, &s);
    ExpectVectorNear({3, 5, 7}, Transform({1, 1, 1}, st));
    ExpectVectorNear({4, 9, 16}, Transform({1, 1, 1}, ts));
}

TEST(GfxMath, MultiplyGeneralAndAliased) {
    const Matrix a = FromRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const Matrix b = FromRows({2, 0, 1, 0, 0, 1, 0, 3, 1, 0, 0, 1, 0, 2, 1, 0});
    // Row i of a times column j of b, worked out by hand.
    const Matrix ab = FromRows({5, 10, 5, 9, 17, 22, 13, 25, 29, 34, 21, 41, 41, 46, 29, 57});
    Matrix out;
    MatrixMultiply(&out, &a, &b);
    ExpectMatrixNear(ab, out);

    Matrix x = a;
    MatrixMultiply(&x, &x, &b);
    ExpectMatrixNear(ab, x);
    // Squaring in place reads both operands from the output.
    Matrix z = b;
    MatrixMultiply(&z, &z, &z);
    ExpectMatrixNear(FromRows({5, 0, 2, 1, 0, 7, 3, 3, 2, 2, 2, 0, 1, 2, 0, 7}), z);
}

TEST(GfxMath, LookAtFromTheDefaultCamera) {
    const Vector3 eye{0, 4, 0}, at{0, 0, 20}, up{0, 1, 0};
    Matrix view;
    MatrixLookAtLH(&view, &eye, &at, &up);
    // z axis = (0, -4, 20) / sqrt(416); x axis = up x z = (1, 0, 0); y axis = z x x.
    const float zy = -4.0f / std::sqrt(416.0f), zz = 20.0f / std::sqrt(416.0f);
    ExpectMatrixNear(FromRows({1, 0, 0, 0, 0, zz, zy, 0, 0, -zy, zz, 0, 0, -4 * zz, -4 * zy, 1}), view);
    // The eye goes to the origin and the look-at point onto +z at its distance.
    ExpectVectorNear({0, 0, 0}, Transform(eye, view));
    ExpectVectorNear({0, 0, std::sqrt(416.0f)}, Transform(at, view), 1e-4f);
    // Right of the camera stays right, above stays above.
    EXPECT_GT(Transform({5, 0, 20}, view).x, 0.0f);
    EXPECT_GT(Transform({0, 3, 20}, view).y, 0.0f);
}

TEST(GfxMath, PerspectiveMapsNearAndFarToZeroAndOne) {
    Matrix proj;
    MatrixPerspectiveFovLH(&proj, kPi / 4, 800.0f / 600.0f, 1.0f, 1000.0f);
    const float ys = 1.0f / std::tan(kPi / 8);
    const float q = 1000.0f / 999.0f;
    ExpectMatrixNear(FromRows({ys * 0.75f, 0, 0, 0, 0, ys, 0, 0, 0, 0, q, 1, 0, 0, -q, 0}), proj);
    EXPECT_NEAR(0.0f, Transform({0, 0, 1}, proj).z, kEps);
    EXPECT_NEAR(1.0f, Transform({0, 0, 1000}, proj).z, kEps);
    // The top edge of the field of view at z = 10 lands on clip y = 1.
    EXPECT_NEAR(1.0f, Transform({0, 10 * std::tan(kPi / 8), 10}, proj).y, kEps);
}

TEST(GfxMath, OrthoOffCenterForSpritePixels) {
    Matrix m;
    MatrixOrthoOffCenterLH(&m, 0, 800, 600, 0, 0, 1);
    ExpectMatrixNear(FromRows({2.0f / 800, 0, 0, 0, 0, -2.0f / 600, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1}), m);
    ExpectVectorNear({-1, 1, 0}, Transform({0, 0, 0}, m));
    ExpectVectorNear({1, -1, 0.5f}, Transform({800, 600, 0.5f}, m));
}

TEST(GfxMath, Normalize) {
    Vector3 v{3, 4, 0}, out;
    ExpectVectorNear({0.6f, 0.8f, 0}, *Vec3Normalize(&out, &v));
    // The game's light direction, normalised in place.
    Vector3 light{-0.5f, -0.5f, 1.0f};
    Vec3Normalize(&light, &light);
    const float n = std::sqrt(1.5f);
    ExpectVectorNear({-0.5f / n, -0.5f / n, 1.0f / n}, light);
    Vector3 zero{};
    Vec3Normalize(&out, &zero);
    EXPECT_EQ(0.0f, out.x);
    EXPECT_EQ(0.0f, out.y);
    EXPECT_EQ(0.0f, out.z);
}

class GfxProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        const Vector3 eye{0, 4, 0}, at{0, 0, 20}, up{0, 1, 0};
        MatrixLookAtLH(&view_, &eye, &at, &up);
        MatrixPerspectiveFovLH(&proj_, kPi / 4, 800.0f / 600.0f, 1.0f, 1000.0f);
    }
    Matrix view_, proj_;
    Matrix identity_;
    Viewport viewport_{0, 0, 800, 600, 0.0f, 1.0f};
};

TEST_F(GfxProjectTest, LookAtPointLandsAtScreenCentre) {
    const Vector3 at{0, 0, 20};
    Vector3 screen;
    Vec3Project(&screen, &at, &viewport_, &proj_, &view_, &identity_);
    EXPECT_NEAR(400.0f, screen.x, 1e-3f);
    EXPECT_NEAR(300.0f, screen.y, 1e-3f);
    EXPECT_GT(screen.z, 0.0f);
    EXPECT_LT(screen.z, 1.0f);

    // The same point reached through a world matrix.
    Matrix world;
    MatrixTranslation(&world, 0, 0, 20);
    const Vector3 origin{0, 0, 0};
    Vector3 moved;
    Vec3Project(&moved, &origin, &viewport_, &proj_, &view_, &world);
    ExpectVectorNear(screen, moved, 1e-3f);
}

TEST_F(GfxProjectTest, ScreenYRunsDownAndViewportOffsetsApply) {
    // In view space (identity view): x' = 1.81066 / 10, y' = 2.41421 / 10, z' = (10 - 1) * q / 10.
    const float ys = 1.0f / std::tan(kPi / 8);
    const float cx = ys * 0.75f / 10, cy = ys / 10, cz = 9.0f * (1000.0f / 999.0f) / 10;
    const Vector3 p{1, 1, 10};
    Vector3 screen;
    Vec3Project(&screen, &p, &viewport_, &proj_, &identity_, nullptr);
    ExpectVectorNear({(1 + cx) * 400, (1 - cy) * 300, cz}, screen, 1e-3f);
    EXPECT_LT(screen.y, 300.0f);  // above the centre is up the screen

    const Viewport small{100, 50, 200, 100, 0.5f, 1.0f};
    Vec3Project(&screen, &p, &small, &proj_, nullptr, nullptr);
    ExpectVectorNear({100 + (1 + cx) * 100, 50 + (1 - cy) * 50, 0.5f + cz * 0.5f}, screen, 1e-3f);
}

}  // namespace
}  // namespace platform

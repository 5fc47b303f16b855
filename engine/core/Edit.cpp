#include "core/Edit.h"

namespace rw {

EditPtr edit::initWithNum(std::string num, std::string clip, TcPtr sourceIn, TcPtr sourceOut,
                          TcPtr masterIn, TcPtr masterOut) {
    auto e = std::make_shared<edit>();
    e->editNum_ = std::move(num);
    e->clip_ = std::move(clip);
    e->sourceIn_ = std::move(sourceIn);
    e->sourceOut_ = std::move(sourceOut);
    e->masterIn_ = std::move(masterIn);
    e->masterOut_ = std::move(masterOut);
    return e;
}

void edit::setEditWithNum(std::string num, std::string clip, TcPtr sourceIn, TcPtr sourceOut,
                          TcPtr masterIn, TcPtr masterOut) {
    editNum_ = std::move(num);
    clip_ = std::move(clip);
    sourceIn_ = std::move(sourceIn);
    sourceOut_ = std::move(sourceOut);
    masterIn_ = std::move(masterIn);
    masterOut_ = std::move(masterOut);
    color_ = Color::black();
    isMotionEffected_ = false;
}

EditPtr edit::deepCopy() const {
    auto e = std::make_shared<edit>(*this);
    auto dup = [](const TcPtr& t) { return t ? t->copy() : nullptr; };
    e->sourceIn_ = dup(sourceIn_);
    e->sourceOut_ = dup(sourceOut_);
    e->masterIn_ = dup(masterIn_);
    e->masterOut_ = dup(masterOut_);
    return e;
}

float edit::motionEffectRatio() const {
    auto src = static_cast<float>(std::int64_t{framesOf(sourceIn_)} - framesOf(sourceOut_));
    auto prog = static_cast<float>(std::int64_t{framesOf(masterIn_)} - framesOf(masterOut_));
    return src / prog;
}

std::string edit::description() const {
    return "edit number " + editNum_ + " " + clip_ + " " + describe(sourceIn_) + " " + describe(sourceOut_) +
           " " + describe(masterIn_) + " " + describe(masterOut_);
}

}  // namespace rw

#pragma once

namespace tombolix {

struct Services;

void showDeveloperInfo(const Services &services);   // "개발자 정보"
void showFeedbackAddress(const Services &services); // "피드백은..."
void openDeveloperBlog(const Services &services);   // "블로그 가기"

} // namespace tombolix
